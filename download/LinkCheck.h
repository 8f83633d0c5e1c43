#pragma once

#include <string>

// An absolute link: a scheme of at least two characters, "://", and a host; no blank or control character.
bool IsValidLink(const std::wstring& text);
