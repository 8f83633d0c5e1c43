#pragma once
// Top-level windows found by what they are, and waiting while this thread's windows are served: for the Wine
// tests and the Windows benchmarks. Inline, so that a program that uses none of it does not load user32.

#include <windows.h>

#include <algorithm>
#include <functional>

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

namespace desktop_windows_detail {
struct Search {
    const std::function<bool(HWND)>& matches;
    HWND found;
};
inline BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!search->matches(window)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace desktop_windows_detail

// The first top-level window for which the test holds, or null.
inline HWND FindTopLevelWindow(const std::function<bool(HWND)>& matches) {
    desktop_windows_detail::Search search{matches, nullptr};
    ::EnumWindows(&desktop_windows_detail::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A shown top-level window of the process, or null.
inline HWND FindShownWindowOf(DWORD processId) {
    return FindTopLevelWindow(
        [processId](HWND window) { return ProcessOfWindow(window) == processId && ::IsWindowVisible(window); });
}

// Dispatches this thread's messages until the condition holds, looking at it at least every `pollMs`; false when
// the time ran out first.
inline bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (condition()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, pollMs)),
                                    QS_ALLINPUT);
    }
}

// Dispatches this thread's messages for the time given, waking only for them.
inline void PumpMessagesFor(DWORD milliseconds) {
    PumpMessagesUntil([] { return false; }, milliseconds, INFINITE);
}
