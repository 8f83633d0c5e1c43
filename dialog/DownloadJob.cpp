#include "dialog/ReelsiftDlg.h"

#include "dialog/ToolLog.h"
#include "framework/ExceptionReport.h"

UINT CReelsiftDlg::DownloadWorkerThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);

    try {
        g_strToolErrors.Clear();
        dlg->SetWindowText(L"Wait a moment...");
        dlg->SetDlgItemText(IDC_STATUS, L"Wait a moment...");

        dlg->RunTool(dlg->m_strCommandLine);
    } catch (...) {
        // The job is over however it ended: its tools go with their handles, and the dialog returns to idle
        // below, or Download would stay disabled for the rest of the run.
        ReportCaughtException(L"the download job");
        dlg->m_tool.Close();
    }

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
