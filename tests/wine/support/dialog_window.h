#pragma once
// A dialog driven through its window messages, whether this process runs it or another does: the controls read
// and worked as a user works them, and waiting while this thread's messages are served.

#include <windows.h>

#include <functional>
#include <string>

class DialogWindow {
public:
    DialogWindow() = default;
    explicit DialogWindow(HWND window) : m_window(window) {}

    HWND Window() const { return m_window; }
    HWND Control(int id) const { return ::GetDlgItem(m_window, id); }

    // A mouse click on a button, check box or click area, through the control's own window procedure; handled
    // when this returns.
    void Click(int id) const;
    // A button click that does not wait for its handler, for handlers that open a modal window (a message box,
    // the folder browser) which the test then finds and closes.
    void ClickLater(int id) const;
    // The button's command straight to the dialog, handled when this returns: also while the button is hidden or
    // disabled, where a click would not reach it.
    void Command(int id) const;
    // Selects an item as the user does: the selection, then the change notification.
    void Select(int id, int index) const;
    void SetText(int id, const std::wstring& text) const;
    void SetCheck(int id, bool on) const;
    // Asks the dialog to close, as its close button does.
    void Close() const { ::PostMessageW(m_window, WM_CLOSE, 0, 0); }

    std::wstring Title() const;
    std::wstring Text(int id) const;
    bool Visible(int id) const { return ::IsWindowVisible(Control(id)) != FALSE; }
    // The control's own visibility, which holds also while the dialog around it is hidden.
    bool Shown(int id) const { return (::GetWindowLongW(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Enabled(int id) const { return ::IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) const;
    int Selection(int id) const;
    // A progress bar's position, and whether it shows the moving marquee instead.
    int BarPosition(int id) const;
    bool BarMarquee(int id) const;
    // The window's rectangle on the screen.
    RECT Area() const;

    // The first shown dialog of the dialog's thread other than the dialog itself (a message box, the folder
    // browser); null when none appeared within the time.
    HWND WaitForPopup(DWORD timeoutMs) const;

    // Polls (pumping this thread's messages) until the condition holds or the time runs out.
    static bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);
    // Pumps this thread's messages for a while: to see that something does not happen within that time.
    static void Pause(DWORD ms);

protected:
    HWND m_window = nullptr;
};

// The dialog window that the given thread runs, or null.
HWND DialogWindowOf(DWORD threadId);

// A key press and release posted to the window, as the keyboard delivers them.
void PostKey(HWND window, UINT virtualKey);
