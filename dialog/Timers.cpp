#include "dialog/ReelsiftDlg.h"

void CReelsiftDlg::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
    case TIMER_AUTO_OPEN:
        KillTimer(TIMER_AUTO_OPEN);
        OnBnClickedOpenFolder();
        break;
    case TIMER_UNCHECK_THUMBNAIL:
        KillTimer(TIMER_UNCHECK_THUMBNAIL);
        m_chkThumbnail.SetCheck(BST_UNCHECKED);
        break;
    case TIMER_UNCHECK_SUBTITLES:
        KillTimer(TIMER_UNCHECK_SUBTITLES);
        m_chkSubtitles.SetCheck(BST_UNCHECKED);
        break;
    default:
        break;
    }
}
