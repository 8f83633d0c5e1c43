#include "dialog/WindowPlacementText.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

std::pair<std::wstring, std::wstring> SplitAtFirst(const std::wstring& text, wchar_t separator)
{
    const size_t at = text.find(separator);
    if (at == std::wstring::npos)
        return {std::wstring(), text};
    return {text.substr(0, at), text.substr(at + 1)};
}

}  // namespace

std::wstring FormatWindowPlacement(const WindowPlacementRect& rect)
{
    return std::to_wstring(rect.width) + L'x' + std::to_wstring(rect.height) + L':' + std::to_wstring(rect.left) +
           L';' + std::to_wstring(rect.top);
}

WindowPlacementRect ParseWindowPlacement(const std::wstring& text)
{
    const auto [sizePart, positionPart] = SplitAtFirst(text, L':');
    const auto [width, height] = SplitAtFirst(sizePart, L'x');
    const auto [left, top] = SplitAtFirst(positionPart, L';');
    return {ParseLeadingInt(width), ParseLeadingInt(height), ParseLeadingInt(left), ParseLeadingInt(top)};
}

int ParseLeadingInt(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    // Accumulated as a negative figure so that the int range's lowest value is reachable too.
    constexpr long long kLowest = std::numeric_limits<int>::min();
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = std::max(value * 10 - (text[i] - L'0'), kLowest);
    if (!negative)
        value = std::min(-value, static_cast<long long>(std::numeric_limits<int>::max()));
    return static_cast<int>(value);
}
