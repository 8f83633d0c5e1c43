#include "support/tray_probe.h"

#include <commctrl.h>
#include <shellapi.h>

#include "support/dialog_window.h"
#include "tests/support/desktop_windows.h"

namespace {

// Wine's tray without a window manager: one stand-alone window, one child window per icon.
const wchar_t kWineTrayClass[] = L"__winex11_standalone_tray";
const wchar_t kWineTrayIconClass[] = L"__winex11_tray_icon";
const wchar_t kStandInShellClass[] = L"Shell_TrayWnd";
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

BOOL CALLBACK CountIcon(HWND window, LPARAM count) {
    if (HasWindowClass(window, kWineTrayIconClass)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

int TrayIconCount() {
    int count = 0;
    if (HWND tray = ::FindWindowW(kWineTrayClass, nullptr)) {
        ::EnumChildWindows(tray, &CountIcon, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

bool TrayIconExists(HWND window, UINT id) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = window;
    probe.uID = id;
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

void RemoveTrayIcon(HWND window, UINT id) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = window;
    record.uID = id;
    ::Shell_NotifyIconW(NIM_DELETE, &record);
}

bool TrayBalloonVisible() {
    HWND tray = ::FindWindowW(kWineTrayClass, nullptr);
    if (!tray) return false;
    const DWORD trayProcess = ProcessOfWindow(tray);
    return FindTopLevelWindow([trayProcess](HWND window) {
               return ProcessOfWindow(window) == trayProcess && ::IsWindowVisible(window) &&
                      HasWindowClass(window, TOOLTIPS_CLASSW);
           }) != nullptr;
}

HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs) {
    HWND menu = nullptr;
    DialogWindow::WaitFor(
        [&] {
            menu = FindTopLevelWindow([processId](HWND window) {
                return ProcessOfWindow(window) == processId && ::IsWindowVisible(window) &&
                       HasWindowClass(window, L"#32768");
            });
            return menu != nullptr;
        },
        timeoutMs);
    return menu;
}

HWND OpenIconMenu(HWND window, UINT callbackMessage, UINT iconId) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    for (int attempt = 0; attempt < 5; ++attempt) {
        ::PostMessageW(window, callbackMessage, iconId, WM_RBUTTONUP);
        HWND menu = WaitForPopupMenu(processId, 1500);
        if (!menu) continue;
        DialogWindow::Pause(100);  // a menu closed at once is gone by now
        if (::IsWindowVisible(menu)) return menu;
        DialogWindow::WaitFor([&] { return WaitForPopupMenu(processId, 0) == nullptr; }, 1000);
    }
    return nullptr;
}

std::vector<std::wstring> PopupMenuItems(HWND menuWindow) {
    std::vector<std::wstring> items;
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, kGetMenuHandle, 0, 0));
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        wchar_t text[64] = L"";
        ::GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
        items.emplace_back(text);
    }
    return items;
}

void ChoosePopupMenuItem(HWND menuWindow, int position) {
    // The menu opens with nothing selected: the first Down selects the first item.
    for (int step = 0; step <= position; ++step) PostKey(menuWindow, VK_DOWN);
    PostKey(menuWindow, VK_RETURN);
}

void DismissPopupMenu(HWND menuWindow) {
    PostKey(menuWindow, VK_ESCAPE);
}

StandInTrayShell::StandInTrayShell(BOOL answer) : m_answer(answer) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &StandInTrayShell::WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kStandInShellClass;
    ::RegisterClassW(&windowClass);  // fails harmlessly when an earlier test registered it
    m_window.Reset(::CreateWindowExW(0, kStandInShellClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     windowClass.hInstance, this));
}

LRESULT CALLBACK StandInTrayShell::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<StandInTrayShell*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        self->m_requests.push_back({static_cast<DWORD>(data->dwData), reinterpret_cast<HWND>(wParam)});
        return self->m_answer;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
