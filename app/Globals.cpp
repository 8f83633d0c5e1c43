#include "app/Globals.h"

ToolLog& g_strToolErrors = *new ToolLog;

std::atomic<ITaskbarList3*> g_pTaskbarList{nullptr};
