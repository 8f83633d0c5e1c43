#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>

UINT CReelsiftDlg::StartupProgressThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    CProgressCtrl& bar = dlg->m_progressStartup;
    dlg->EnableDownloadButton(FALSE);
    bar.ShowWindow(SW_SHOW);
    bar.SetRange(0, 100);
    for (int position = 0; position <= 100; ++position) {
        bar.SetPos(position);
        ::Sleep(20);
    }
    ::Sleep(500);
    bar.ModifyStyle(PBS_SMOOTH, PBS_MARQUEE);
    bar.SetMarquee(TRUE, 5);
    ::Sleep(1600);
    bar.ModifyStyle(PBS_MARQUEE, 0);
    bar.SetMarquee(FALSE, 0);  // the control's marquee timer would otherwise tick for the rest of the run
    for (int position = 100; position >= 0; --position) {
        bar.SetPos(position);
        ::Sleep(10);
    }
    ::Sleep(250);
    dlg->EnableDownloadButton(TRUE);
    bar.ShowWindow(SW_HIDE);
    return 0;
}
