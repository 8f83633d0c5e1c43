#pragma once
// Small helpers the Wine tests and the Windows benchmarks share: Unix paths as Windows sees them, and finding
// a top-level window by what it is. Header-only, so that the benchmarks need no test library.

#include <windows.h>

#include <functional>
#include <string>

// Z:\ is the Unix root under Wine: "/a/b" becomes "Z:\a\b". The path is taken as UTF-8.
inline std::wstring WindowsPathOf(const std::string& unixPath) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, unixPath.data(), static_cast<int>(unixPath.size()), nullptr, 0);
    std::wstring path(size > 0 ? static_cast<size_t>(size) : 0, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, unixPath.data(), static_cast<int>(unixPath.size()), path.data(), size);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return L"Z:" + path;
}

inline DWORD ProcessOfWindow(HWND window) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    return owner;
}

inline bool HasWindowClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = L"";
    ::GetClassNameW(window, name, 64);
    return ::lstrcmpiW(name, className) == 0;
}

namespace desktop_search_detail {
struct Search {
    const std::function<bool(HWND)>* matches;
    HWND found;
};
inline BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!(*search->matches)(window)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace desktop_search_detail

// The first top-level window for which the test holds, or null.
inline HWND FindTopLevelWindow(const std::function<bool(HWND)>& matches) {
    desktop_search_detail::Search search{&matches, nullptr};
    ::EnumWindows(&desktop_search_detail::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A shown top-level window of the process, or null.
inline HWND FindShownWindowOf(DWORD processId) {
    return FindTopLevelWindow(
        [processId](HWND window) { return ProcessOfWindow(window) == processId && ::IsWindowVisible(window); });
}
