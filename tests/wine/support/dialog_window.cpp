#include "support/dialog_window.h"

#include <commctrl.h>

#include <vector>

#include "tests/support/desktop_windows.h"

namespace {

const wchar_t kDialogClass[] = L"#32770";

DWORD ThreadOfWindow(HWND window) {
    return ::GetWindowThreadProcessId(window, nullptr);
}

}  // namespace

void DialogWindow::Click(int id) const {
    HWND control = Control(id);
    if (HasWindowClass(control, L"Button")) {
        ::SendMessageW(control, BM_CLICK, 0, 0);
        return;
    }
    RECT client{};
    ::GetClientRect(control, &client);
    const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(control, WM_LBUTTONUP, 0, point);
}

void DialogWindow::ClickLater(int id) const {
    ::PostMessageW(Control(id), BM_CLICK, 0, 0);
}

void DialogWindow::Command(int id) const {
    ::SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

void DialogWindow::Select(int id, int index) const {
    ::SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(id)));
}

// WM_SETTEXT and WM_GETTEXT, not SetWindowText and GetWindowText: those leave a control of another process alone.
void DialogWindow::SetText(int id, const std::wstring& text) const {
    ::SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring DialogWindow::Text(int id) const {
    HWND control = Control(id);
    std::vector<wchar_t> buffer(static_cast<size_t>(::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1);
    ::SendMessageW(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

void DialogWindow::SetCheck(int id, bool on) const {
    ::SendMessageW(Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring DialogWindow::Title() const {
    wchar_t buffer[256] = L"";
    ::GetWindowTextW(m_window, buffer, 256);
    return buffer;
}

bool DialogWindow::Checked(int id) const {
    return ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int DialogWindow::Selection(int id) const {
    return static_cast<int>(::SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
}

int DialogWindow::BarPosition(int id) const {
    return static_cast<int>(::SendMessageW(Control(id), PBM_GETPOS, 0, 0));
}

bool DialogWindow::BarMarquee(int id) const {
    return (::GetWindowLongW(Control(id), GWL_STYLE) & PBS_MARQUEE) != 0;
}

RECT DialogWindow::Area() const {
    RECT area{};
    ::GetWindowRect(m_window, &area);
    return area;
}

HWND DialogWindow::WaitForPopup(DWORD timeoutMs) const {
    const DWORD thread = ThreadOfWindow(m_window);
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindTopLevelWindow([&](HWND window) {
                return window != m_window && ThreadOfWindow(window) == thread && HasWindowClass(window, kDialogClass) &&
                       ::IsWindowVisible(window);
            });
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

bool DialogWindow::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    return PumpMessagesUntil(condition, timeoutMs, 10);
}

void DialogWindow::Pause(DWORD ms) {
    PumpMessagesFor(ms);
}

HWND DialogWindowOf(DWORD threadId) {
    return FindTopLevelWindow(
        [threadId](HWND window) { return ThreadOfWindow(window) == threadId && HasWindowClass(window, kDialogClass); });
}

void PostKey(HWND window, UINT virtualKey) {
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageW(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}
