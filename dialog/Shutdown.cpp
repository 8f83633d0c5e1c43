#include "dialog/ReelsiftDlg.h"

// The program's one way out. The process ends here without running the runtime's exit list, so no worker thread
// still running can meet a destroyed global; everything worth keeping is written before.
void CReelsiftDlg::OnClose() {
    KillFfmpegProcesses();
    if (m_tool.IsRunning()) m_tool.Terminate();
    SaveSettings();
    RemoveTrayIcon();
    ::ExitProcess(0);
}
