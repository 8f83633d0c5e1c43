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
    OwnedHandle m_hThread;
};

using CWinThreadPtr = std::shared_ptr<CWinThread>;

// Runs the procedure with the parameter on a new thread, started at once with the default priority, stack and
// security: every thread of the program starts so. Null when the thread could not be created.
CWinThreadPtr AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter);
