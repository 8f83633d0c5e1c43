#include "dialog/ReelsiftDlg.h"

LRESULT CReelsiftDlg::OnStartAutoOpen(WPARAM, LPARAM) {
    SetTimer(TIMER_AUTO_OPEN, 12500, nullptr);
    return 0;
}

void CReelsiftDlg::RunCompletionActions() {
    // A timer belongs to the thread of its window. Sent, so that it runs before anything that stops it can arrive:
    // a balloon click, a press of Open folder.
    if (IsChecked(m_chkAutoOpen)) SendMessage(WM_START_AUTO_OPEN);
    if (!m_gifReady.IsPlaying() && !m_readyAnimationStarting.exchange(true)) {
        if (!AfxBeginThread(&CReelsiftDlg::ShowReadyGifThread, this)) m_readyAnimationStarting = false;
    }
    ShowCompletionBalloon();
}
