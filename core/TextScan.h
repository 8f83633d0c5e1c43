#pragma once
// Text helpers the portable core shares: blanks and leading integers as the C runtime reads them, without
// depending on its locale, and replacement that stays linear in the text.

#include <cstdint>
#include <string>
#include <string_view>

// A blank as the C runtime's number conversions skip it: space and \t \n \v \f \r.
bool IsCrtBlank(wchar_t c);

std::wstring TrimBlanks(const std::wstring& text);

// Replaces every occurrence, left to right, none overlapping.
void ReplaceAll(std::wstring& text, std::wstring_view from, std::wstring_view to);

// The integer the text begins with: leading blanks, one sign, digits up to the first other character; 0 when
// there is no digit. Saturates at the 64-bit range instead of wrapping.
int64_t LeadingInteger(const std::wstring& text);
