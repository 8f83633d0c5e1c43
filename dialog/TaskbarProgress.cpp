#include "dialog/TaskbarProgress.h"

#include "dialog/ReelsiftDlg.h"

ITaskbarList3* g_pTaskbarList = nullptr;

ITaskbarList3* CReelsiftDlg::CreateTaskbarList() {
    ITaskbarList3* taskbar = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                  reinterpret_cast<void**>(&taskbar)))) {
        return nullptr;
    }
    if (FAILED(taskbar->HrInit())) {
        taskbar->Release();
        return nullptr;
    }
    return taskbar;
}

void CReelsiftDlg::ReleaseTaskbarList() {
    if (!g_pTaskbarList) return;
    g_pTaskbarList->Release();
    g_pTaskbarList = nullptr;
}

void CReelsiftDlg::ShowTaskbarProgress(TaskbarProgress step, int position) {
    // Sent, not posted: the worker's other changes to the dialog are sent messages too, and a posted one would
    // fall behind them, so the button could still show a job the dialog has already ended.
    SendMessage(WM_TASKBAR_PROGRESS, static_cast<WPARAM>(step), position);
}

LRESULT CReelsiftDlg::OnTaskbarProgress(WPARAM step, LPARAM position) {
    if (static_cast<TaskbarProgress>(step) == TaskbarProgress::JobStarted) {
        ReleaseTaskbarList();
        g_pTaskbarList = CreateTaskbarList();
    }
    ITaskbarList3* taskbar = g_pTaskbarList;
    if (!taskbar) return 0;
    switch (static_cast<TaskbarProgress>(step)) {
    case TaskbarProgress::JobStarted:
    case TaskbarProgress::Converting:
        taskbar->SetProgressState(m_hWnd, TBPF_INDETERMINATE);
        break;
    case TaskbarProgress::Position:
        taskbar->SetProgressValue(m_hWnd, static_cast<ULONGLONG>(position), 1000);
        break;
    case TaskbarProgress::JobEnded:
        taskbar->SetProgressValue(m_hWnd, 1000, 1000);
        taskbar->SetProgressState(m_hWnd, TBPF_PAUSED);
        break;
    }
    return 0;
}
