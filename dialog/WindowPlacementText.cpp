#include "dialog/WindowPlacementText.h"

#include "core/TextScan.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

std::pair<std::wstring, std::wstring> SplitAtFirst(const std::wstring& text, wchar_t separator) {
    const size_t at = text.find(separator);
    if (at == std::wstring::npos) return {std::wstring(), text};
    return {text.substr(0, at), text.substr(at + 1)};
}

}  // namespace

ScreenEdges CaptionEdges(const WindowPlacementRect& placement, int captionHeight) {
    const auto toInt = [](int64_t value) {
        return static_cast<int>(
            std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    return {placement.left, placement.top, toInt(int64_t{placement.left} + placement.width),
            toInt(int64_t{placement.top} + captionHeight)};
}

std::wstring FormatWindowPlacement(const WindowPlacementRect& rect) {
    return std::to_wstring(rect.width) + L'x' + std::to_wstring(rect.height) + L':' + std::to_wstring(rect.left) +
           L';' + std::to_wstring(rect.top);
}

WindowPlacementRect ParseWindowPlacement(const std::wstring& text) {
    const auto [sizePart, positionPart] = SplitAtFirst(text, L':');
    const auto [width, height] = SplitAtFirst(sizePart, L'x');
    const auto [left, top] = SplitAtFirst(positionPart, L';');
    return {ParseLeadingInt(width), ParseLeadingInt(height), ParseLeadingInt(left), ParseLeadingInt(top)};
}

int ParseLeadingInt(const std::wstring& text) {
    constexpr int64_t kLowest = std::numeric_limits<int>::min();
    constexpr int64_t kHighest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(LeadingInteger(text), kLowest, kHighest));
}
