#include "dialog/ReelsiftDlg.h"

void CReelsiftDlg::OnBnClickedNewLink() {
    // The first showing of the new copy's window follows this show command, so it must be a visible one.
    ::AllowSetForegroundWindow(ASFW_ANY);
    ::ShellExecuteW(nullptr, nullptr, L"Reelsift.exe", nullptr, nullptr, SW_SHOWNORMAL);
}
