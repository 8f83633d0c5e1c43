#pragma once
// The processes one process started, and those they started in turn, as one snapshot of the system's processes
// shows them: for ending a tool's tree where no job holds it.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

struct DescendantProcess {
    // May query and terminate it. While it is held, the process's id cannot pass to another.
    OwnedHandle process;
    std::wstring exeName;
};

// The running descendants of the process `root` (a handle that may query it) whose id is `rootId`, parents before
// their children. Those that cannot be opened are left out, and so are theirs.
std::vector<DescendantProcess> RunningDescendants(HANDLE root, DWORD rootId);
