#include "framework/Thread.h"

#include <process.h>

#include "framework/ExceptionReport.h"

namespace {

struct ThreadStart {
    CWinThreadPtr self;
    AFX_THREADPROC procedure;
    LPVOID parameter;
};

// The start record, and with it the thread's own reference, goes when this returns.
unsigned __stdcall ThreadEntry(void* argument) {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(argument));
    try {
        return start->procedure(start->parameter);
    } catch (...) {
        ReportCaughtException(L"a worker thread");
        return kExitCodeAfterException;
    }
}

}  // namespace

CWinThreadPtr AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority, UINT stackSize,
                             DWORD createFlags, LPSECURITY_ATTRIBUTES security) {
    auto thread = std::make_shared<CWinThread>();
    auto start = std::make_unique<ThreadStart>(ThreadStart{thread, procedure, parameter});
    unsigned threadId = 0;
    const uintptr_t handle =
        _beginthreadex(security, stackSize, &ThreadEntry, start.get(), CREATE_SUSPENDED, &threadId);
    if (handle == 0) return nullptr;
    start.release();  // the thread owns it now
    thread->m_hThread.Reset(reinterpret_cast<HANDLE>(handle));
    thread->m_nThreadID = threadId;
    if (priority != THREAD_PRIORITY_NORMAL) ::SetThreadPriority(thread->m_hThread.Get(), priority);
    if (!(createFlags & CREATE_SUSPENDED)) thread->ResumeThread();
    return thread;
}
