#include "dialog/ReelsiftDlg.h"

#include "dialog/ToolLog.h"

UINT CReelsiftDlg::DownloadWorkerThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);

    g_strToolErrors.Clear();
    dlg->SetWindowText(L"Wait a moment...");
    dlg->SetDlgItemText(IDC_STATUS, L"Wait a moment...");

    dlg->RunTool(dlg->m_strCommandLine);

    dlg->m_convertingWanted = false;
    dlg->m_gifConverting.Stop();
    dlg->ShowTaskbarProgress(TaskbarProgress::JobEnded);
    dlg->SetWindowText(L"Reelsift");
    dlg->SetDlgItemText(IDC_STATUS, L"");
    dlg->ApplyJobState(JobState::Idle);
    return 0;
}

void CReelsiftDlg::OnBnClickedAbort() {
    ApplyJobState(JobState::Aborting);
    m_bRunning = false;
    KillFfmpegProcesses();
    // Ending the whole downloader tree breaks the pipe, so a worker blocked on a silent tool returns at once.
    m_tool.Terminate();
}

void CReelsiftDlg::KillFfmpegProcesses() {
    m_tool.KillFfmpegProcesses();
}
