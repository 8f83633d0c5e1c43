#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>

#include "dialog/ToolLog.h"
#include "download/OutputText.h"

UINT CReelsiftDlg::DownloadWorkerThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    CWnd* status = dlg->GetDlgItem(IDC_STATUS);

    g_strToolErrors.Clear();
    dlg->m_btnErrorReport.ShowWindow(SW_HIDE);
    dlg->SetWindowText(L"Wait a moment...");
    status->SetWindowText(L"Wait a moment...");
    dlg->m_btnNotify.ShowWindow(SW_SHOW);
    dlg->m_progressMain.SetPos(0);
    dlg->m_progressMain.ModifyStyle(PBS_MARQUEE, 0);
    dlg->m_progressMain.ShowWindow(SW_SHOW);

    dlg->RunTool(dlg->m_strCommandLine);

    dlg->m_convertingWanted = false;
    dlg->m_gifConverting.Stop();
    dlg->m_gifConverting.ShowWindow(SW_HIDE);
    dlg->m_btnNotify.ShowWindow(SW_HIDE);
    dlg->m_progressMain.ShowWindow(SW_HIDE);
    dlg->ShowTaskbarProgress(TaskbarProgress::JobEnded);
    dlg->SetWindowText(L"Reelsift");
    dlg->EnableDownloadButton(TRUE);
    dlg->m_btnAbort.EnableWindow(FALSE);
    dlg->m_btnNewLink.EnableWindow(FALSE);
    status->SetWindowText(L"");
    dlg->m_editUrl.EnableWindow(TRUE);
    status->ShowWindow(SW_HIDE);
    dlg->m_chkAutoPaste.ShowWindow(SW_SHOW);
    return 0;
}

void CReelsiftDlg::OnBnClickedAbort() {
    GetDlgItem(IDC_STATUS)->ShowWindow(SW_HIDE);
    m_chkAutoPaste.ShowWindow(SW_SHOW);
    m_btnAbort.EnableWindow(FALSE);
    m_btnNewLink.EnableWindow(FALSE);
    m_bRunning = false;
    KillFfmpegProcesses();
    // Ending the whole downloader tree breaks the pipe, so a worker blocked on a silent tool returns at once.
    m_tool.Terminate();
}

void CReelsiftDlg::KillFfmpegProcesses() {
    m_tool.KillFfmpegProcesses();
}

void CReelsiftDlg::OnBnClickedErrorReport() {
    const CString log = g_strToolErrors.Copy();
    AfxMessageBox(LogForDisplay(log.str()).c_str(), MB_OK, 0);
}
