#pragma once
// The notification area as the tests see it under Wine: the icons and balloons of Wine's own tray, the pop-up
// menu of a tray icon, and a stand-in shell that answers the icon requests itself.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/owned_handles.h"

// The icons Wine's tray shows right now, whoever added them.
int TrayIconCount();
// True while the shell holds an icon of this window with this id (changing an icon that is not there fails).
bool TrayIconExists(HWND window, UINT id);
// Takes the icon away, so that no icon of a test outlives it.
void RemoveTrayIcon(HWND window, UINT id);
// True while Wine's tray shows a balloon.
bool TrayBalloonVisible();

// A shown pop-up menu window (class "#32768") of the process, or null when none appeared within the time.
HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs);
// Right-clicks the window's icon (its callback message with WM_RBUTTONUP) and returns the menu that came up, or
// null. Under Wine without a window manager, the menu of a hidden window is sometimes closed again at once
// (TrackPopupMenu returns 0, so nothing happens): the click is then repeated, as a user would.
HWND OpenIconMenu(HWND window, UINT callbackMessage, UINT iconId);
// The items' texts; the menu must belong to the calling process.
std::vector<std::wstring> PopupMenuItems(HWND menuWindow);
// Picks the item at the position with the keyboard, as a user does; or closes the menu with Esc.
void ChoosePopupMenuItem(HWND menuWindow, int position);
void DismissPopupMenu(HWND menuWindow);

// A window of class "Shell_TrayWnd" on the calling thread, which the icon calls find before Wine's own while it
// exists. It answers every request with the given result and records it. The calling thread must pump messages
// (DialogWindow::WaitFor, or a SendMessage it is blocked in) for the requests to arrive.
class StandInTrayShell {
public:
    struct Request {
        DWORD message;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
        HWND window;    // the window the icon belongs to
    };

    explicit StandInTrayShell(BOOL answer);
    // Neither copied nor moved: its window holds its address.
    StandInTrayShell(const StandInTrayShell&) = delete;
    StandInTrayShell& operator=(const StandInTrayShell&) = delete;

    HWND Window() const { return m_window.Get(); }
    const std::vector<Request>& Requests() const { return m_requests; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL m_answer;
    std::vector<Request> m_requests;  // written and read on the creating thread only
    OwnedWindow m_window;             // last: its procedure writes the requests until it is destroyed
};
