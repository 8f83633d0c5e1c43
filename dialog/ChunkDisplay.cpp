#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>

#include "dialog/ToolLog.h"
#include "download/ChunkInterpreter.h"

void CReelsiftDlg::ShowChunk(const ChunkDisplay& display, bool& itemCompleted) {
    g_strToolErrors.Append(display.logText);
    if (display.showErrorReport) m_btnErrorReport.ShowWindow(SW_SHOW);
    SetDlgItemText(IDC_STATUS, display.statusText.c_str());
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
