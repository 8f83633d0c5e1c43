#pragma once

#include <string>

// A folder typed into the folder box, tidied: trimmed, "d:" made a drive root, runs of backslashes made
// single, trailing separators cut (a drive root keeps its backslash). Whether it exists is not asked.
std::wstring NormalizeTypedFolder(const std::wstring& typed);

// The roots of the drives a system usually lives on, where writing may be refused.
bool IsDriveRootWarningFolder(const std::wstring& folder);
