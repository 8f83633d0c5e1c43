#include "dialog/ReelsiftDlg.h"

#include "download/LinkCheck.h"

// A valid link in the box plays the link animation, unless it plays already.
void CReelsiftDlg::OnEnChangeUrl() {
    CString link;
    m_editUrl.GetWindowText(link);
    if (link.IsEmpty() || !IsValidLink(link.str()) || m_gifUrl.IsPlaying()) return;
    if (m_urlAnimationStarting.exchange(true)) return;  // a start is already under way
    if (!AfxBeginThread(&CReelsiftDlg::ShowUrlGifThread, this)) m_urlAnimationStarting = false;
}
