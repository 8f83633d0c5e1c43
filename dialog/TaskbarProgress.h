#pragma once
// Progress on the taskbar button: the steps a job shows there, and the shell's object that shows them.

#include <windows.h>
#include <shobjidl.h>

// Sent by the job's worker to the dialog, whose thread owns the taskbar object.
constexpr UINT WM_TASKBAR_PROGRESS = WM_APP + 1;  // wParam: a TaskbarProgress step; lParam: the position

// What the taskbar button shows of a job.
enum class TaskbarProgress : WPARAM {
    JobStarted,  // indeterminate, on a new taskbar object
    Position,    // the position out of 1000
    Converting,  // indeterminate
    JobEnded,    // full and paused
};

// The taskbar-button progress object of the latest job; null when none could be created. It lives in the dialog
// thread's apartment, so only that thread makes, calls and releases it.
extern ITaskbarList3* g_pTaskbarList;
