#pragma once
// The program's process-wide objects.

#include <windows.h>
#include <shobjidl.h>

#include "app/ToolLog.h"

// Never destroyed: worker threads may still append while the process ends.
extern ToolLog& g_strToolErrors;

// The taskbar-button progress object of the latest job; null when none could be created. It lives in the dialog
// thread's apartment, so only that thread makes, calls and releases it.
extern ITaskbarList3* g_pTaskbarList;
