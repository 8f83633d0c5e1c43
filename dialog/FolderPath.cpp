#include "dialog/FolderPath.h"

#include "core/TextScan.h"

#include <algorithm>

namespace {

std::wstring CollapseBackslashRuns(const std::wstring& text) {
    std::wstring collapsed;
    collapsed.reserve(text.size());
    for (const wchar_t c : text) {
        if (c != L'\\' || collapsed.empty() || collapsed.back() != L'\\') collapsed += c;
    }
    return collapsed;
}

// Each trailing backslash counts one, each trailing colon takes one back, so "C:\" stays a root.
std::wstring WithoutTrailingSeparators(const std::wstring& text) {
    long count = 0;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (*it == L'\\')
            ++count;
        else if (*it == L':')
            --count;
        else
            break;
    }
    if (count <= 0) return text;
    return text.substr(0, text.size() - static_cast<size_t>(count));
}

}  // namespace

std::wstring NormalizeTypedFolder(const std::wstring& typed) {
    std::wstring folder = TrimBlanks(typed);
    if (!folder.empty() && folder.back() == L':') folder += L'\\';
    folder = CollapseBackslashRuns(folder);
    folder = WithoutTrailingSeparators(folder);
    return TrimBlanks(folder);
}

bool IsDriveRootWarningFolder(const std::wstring& folder) {
    return folder == L"C:\\" || folder == L"c:\\" || folder == L"D:\\" || folder == L"d:\\";
}
