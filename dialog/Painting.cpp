#include "dialog/ReelsiftDlg.h"

void CReelsiftDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int iconWidth = ::GetSystemMetrics(SM_CXICON);
        const int iconHeight = ::GetSystemMetrics(SM_CYICON);
        RECT client{};
        GetClientRect(&client);
        const int x = (client.right - client.left - iconWidth + 1) / 2;
        const int y = (client.bottom - client.top - iconHeight + 1) / 2;
        ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

HBRUSH CReelsiftDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    // The caption-less click areas lie over captions painted into the background: a filled background would
    // hide them, so they are drawn hollow. Everything else gets the one white brush.
    if (nCtlColor == CTLCOLOR_STATIC && pWnd->m_hWnd && ::GetWindowTextLengthW(pWnd->m_hWnd) == 0 &&
        (::GetWindowLongPtrW(pWnd->m_hWnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) {
        ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return m_brushWhite;
}

HCURSOR CReelsiftDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CReelsiftDlg::EnableDownloadButton(BOOL enable) {
    m_btnDownload.EnableWindow(enable);
    // The dialog manager repaints the area of a default button whose state changes, and the background picture
    // above it in the z-order then covers it: the button draws itself again on top.
    m_btnDownload.Invalidate(TRUE);
}
