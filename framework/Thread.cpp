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

CWinThreadPtr AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter) {
    auto thread = std::make_shared<CWinThread>();
    auto start = std::make_unique<ThreadStart>(ThreadStart{thread, procedure, parameter});
    // Suspended until the start record is the thread's and its handle is kept.
    const uintptr_t handle = _beginthreadex(nullptr, 0, &ThreadEntry, start.get(), CREATE_SUSPENDED, nullptr);
    if (handle == 0) return nullptr;
    start.release();  // the thread owns it now
    thread->m_hThread.Reset(reinterpret_cast<HANDLE>(handle));
    ::ResumeThread(thread->m_hThread.Get());
    return thread;
}
