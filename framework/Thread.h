#pragma once
// Worker threads. AfxBeginThread hands back shared ownership of the thread object: it lives while the caller
// holds it or the thread runs, so a kept pointer never dangles, and the thread handle is closed once by the
// last owner.

#include <windows.h>

#include <memory>

#include "framework/Handles.h"

using AFX_THREADPROC = UINT (*)(LPVOID parameter);

class CWinThread {
public:
    DWORD ResumeThread() { return ::ResumeThread(m_hThread.Get()); }

    OwnedHandle m_hThread;
    UINT m_nThreadID = 0;
};

using CWinThreadPtr = std::shared_ptr<CWinThread>;

// Null when the thread could not be created.
CWinThreadPtr AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                             UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
