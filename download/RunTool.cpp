#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/Globals.h"
#include "download/AnsiText.h"
#include "download/ChunkInterpreter.h"
#include "download/OutputText.h"

namespace {

constexpr unsigned long kReadSize = 1024;

void RenewTaskbarList(HWND dialog) {
    ::CoInitialize(nullptr);
    if (ITaskbarList3* previous = g_pTaskbarList.exchange(nullptr)) previous->Release();
    ITaskbarList3* taskbar = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                  reinterpret_cast<void**>(&taskbar)))) {
        taskbar = nullptr;
    }
    if (taskbar && FAILED(taskbar->HrInit())) {
        taskbar->Release();
        taskbar = nullptr;
    }
    g_pTaskbarList = taskbar;
    if (taskbar) taskbar->SetProgressState(dialog, TBPF_INDETERMINATE);
}

}  // namespace

void CReelsiftDlg::RunTool(CString commandLine) {
    RenewTaskbarList(m_hWnd);
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

    ITaskbarList3* taskbar = g_pTaskbarList;
    switch (display.kind) {
    case ChunkKind::Progress:
        m_progressMain.ModifyStyle(PBS_MARQUEE, 0);
        m_progressMain.SetMarquee(FALSE, 0);  // its timer would tick on behind the plain bar
        if (display.position > 0) {
            m_progressMain.SetPos(display.position);
            if (taskbar) taskbar->SetProgressValue(m_hWnd, static_cast<ULONGLONG>(display.position), 1000);
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
        if (taskbar) taskbar->SetProgressState(m_hWnd, TBPF_INDETERMINATE);
        break;
    case ChunkKind::Working:
        break;
    }
}

void CReelsiftDlg::RunCompletionActions() {
    if (IsChecked(m_chkAutoOpen)) SetTimer(TIMER_AUTO_OPEN, 12500, nullptr);
    if (!m_gifReady.IsPlaying() && !m_readyAnimationStarting.exchange(true)) {
        if (!AfxBeginThread(&CReelsiftDlg::ShowReadyGifThread, this)) m_readyAnimationStarting = false;
    }
    ShowCompletionBalloon();
}
