#include "dialog/ReelsiftDlg.h"

bool CReelsiftDlg::AddTrayIcon() {
    std::lock_guard<std::mutex> lock(m_nidLock);
    NOTIFYICONDATAW record{};
    // The record up to dwInfoFlags (balloons, no GUID); its size differs between 32-bit and 64-bit programs.
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.hWnd = m_hWnd;
    record.uID = TRAY_ICON_ID;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    record.uCallbackMessage = WM_TRAY_NOTIFY;
    record.hIcon = m_hIcon;
    ::lstrcpynW(record.szTip, L"Reelsift", 128);
    // The icon only counts as there when the shell took it; otherwise nothing could bring the window back.
    if (!::Shell_NotifyIconW(NIM_ADD, &record)) return false;
    m_nid = record;
    return true;
}

void CReelsiftDlg::OnBnClickedNotify() {
    if (!TrayIconExists() && !AddTrayIcon()) return;  // keep the window: it could not be shown again
    ShowWindow(SW_HIDE);
}

void CReelsiftDlg::ShowCompletionBalloon() {
    std::lock_guard<std::mutex> lock(m_nidLock);
    if (m_nid.uID != TRAY_ICON_ID) return;
    ::lstrcpynW(m_nid.szInfoTitle, L"Reelsift", 64);
    ::lstrcpynW(m_nid.szInfo, L"Ready! All files was processed!", 256);
    m_nid.dwInfoFlags = NIIF_INFO;
    ::Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

void CReelsiftDlg::RemoveTrayIcon() {
    std::lock_guard<std::mutex> lock(m_nidLock);
    if (m_nid.uID == TRAY_ICON_ID) ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
}

LRESULT CReelsiftDlg::OnTaskbarCreated(WPARAM, LPARAM) {
    // A restarted shell has forgotten the icon; put it back so the hidden window stays reachable.
    std::lock_guard<std::mutex> lock(m_nidLock);
    if (m_nid.uID == TRAY_ICON_ID) {
        NOTIFYICONDATAW record = m_nid;
        record.szInfo[0] = L'\0';
        record.szInfoTitle[0] = L'\0';
        record.dwInfoFlags = 0;
        ::Shell_NotifyIconW(NIM_ADD, &record);
    }
    return 0;
}

LRESULT CReelsiftDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != TRAY_ICON_ID) return 0;
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONUP:
        if (IsWindowVisible()) {
            ShowWindow(SW_HIDE);
        } else {
            ShowWindow(SW_RESTORE);
            ShowWindow(SW_SHOW);
        }
        break;
    case WM_RBUTTONUP: {
        OwnedMenu menu(::CreatePopupMenu());
        if (!menu) break;
        ::AppendMenuW(menu.Get(), MF_STRING, ID_TRAY_SHOWHIDE, IsWindowVisible() ? L"Hide" : L"Show");
        ::AppendMenuW(menu.Get(), MF_STRING, ID_TRAY_EXIT, L"Exit");
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::SetForegroundWindow(m_hWnd);
        const UINT command =
            static_cast<UINT>(::TrackPopupMenu(menu.Get(), TPM_RETURNCMD, cursor.x, cursor.y, 0, m_hWnd, nullptr));
        if (command == ID_TRAY_SHOWHIDE) {
            if (IsWindowVisible()) {
                ShowWindow(SW_MINIMIZE);
                ShowWindow(SW_HIDE);
            } else {
                ShowWindow(SW_SHOW);
                ShowWindow(SW_RESTORE);
            }
        } else if (command == ID_TRAY_EXIT) {
            menu.Reset();  // OnClose ends the process, so the menu would outlive every destructor
            OnClose();
        }
        PostMessage(WM_NULL);
        break;
    }
    case NIN_BALLOONUSERCLICK:
        KillTimer(TIMER_AUTO_OPEN);
        OnBnClickedOpenFolder();
        break;
    default:
        break;
    }
    return 0;
}
