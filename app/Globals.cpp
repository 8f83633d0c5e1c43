#include "app/Globals.h"

ToolLog& g_strToolErrors = *new ToolLog;

ITaskbarList3* g_pTaskbarList = nullptr;
