#include "core/TextScan.h"

#include <algorithm>
#include <limits>

bool IsCrtBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

std::wstring TrimBlanks(const std::wstring& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsCrtBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsCrtBlank).base();
    return first < last ? std::wstring(first, last) : std::wstring();
}

void ReplaceAll(std::wstring& text, std::wstring_view from, std::wstring_view to) {
    if (from.empty() || text.find(from) == std::wstring::npos) return;
    std::wstring result;
    result.reserve(text.size());
    size_t start = 0;
    for (size_t found; (found = text.find(from, start)) != std::wstring::npos; start = found + from.size()) {
        result.append(text, start, found - start);
        result.append(to);
    }
    result.append(text, start);
    text.swap(result);
}

int64_t LeadingInteger(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && IsCrtBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        const int digit = text[i] - L'0';
        magnitude = magnitude > (kMax - digit) / 10 ? kMax : magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}
