#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>

#include "dialog/ToolLog.h"
#include "download/AnsiText.h"
#include "download/ChunkInterpreter.h"
#include "download/OutputText.h"

namespace {

constexpr unsigned long kReadSize = 1024;

}  // namespace

void CReelsiftDlg::RunTool(CString commandLine) {
    ShowTaskbarProgress(TaskbarProgress::JobStarted);
    static const ByteToCharTable table = AnsiCodePageTable();

    m_tool.Start(commandLine.str());
    bool itemCompleted = false;
    char buffer[kReadSize];
    for (;;) {
        if (!m_bRunning) {
            m_tool.Terminate();
            break;
        }
        unsigned long bytesRead = 0;
        const bool readOk = m_tool.Read(buffer, kReadSize, bytesRead);
        if (bytesRead > 0) {
            const std::wstring chunk = DecodeOutputBytes(buffer, bytesRead, table);
            ShowChunk(InterpretChunk(chunk, GetOutputFolder().str()), itemCompleted);
        }
        if (!readOk) break;
    }
    m_tool.Close();
    m_progressMain.SetMarquee(FALSE, 0);  // a job that ended converting leaves no marquee timer behind

    if (itemCompleted) RunCompletionActions();
}

void CReelsiftDlg::ShowChunk(const ChunkDisplay& display, bool& itemCompleted) {
    g_strToolErrors.Append(display.logText);
    if (display.showErrorReport) m_btnErrorReport.ShowWindow(SW_SHOW);
    GetDlgItem(IDC_STATUS)->SetWindowText(display.statusText.c_str());
    SetWindowText(display.title.c_str());

    switch (display.kind) {
    case ChunkKind::Progress:
        m_progressMain.ModifyStyle(PBS_MARQUEE, 0);
        m_progressMain.SetMarquee(FALSE, 0);  // its timer would tick on behind the plain bar
        if (display.position > 0) {
            m_progressMain.SetPos(display.position);
            ShowTaskbarProgress(TaskbarProgress::Position, display.position);
        }
        if (display.itemCompleted) {
            itemCompleted = true;
            m_progressMain.SetPos(1000);
            ::Sleep(1000);
        }
        break;
    case ChunkKind::Converting:
        m_progressMain.ModifyStyle(PBS_SMOOTH, PBS_MARQUEE);
        m_progressMain.SetMarquee(TRUE, 5);
        ShowTaskbarProgress(TaskbarProgress::Converting);
        break;
    case ChunkKind::Working:
        break;
    }
}

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
