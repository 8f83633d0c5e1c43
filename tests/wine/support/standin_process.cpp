#include "support/standin_process.h"

WatchedProcess WatchedProcess::Open(DWORD processId) {
    return WatchedProcess(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
}

WatchedProcess::~WatchedProcess() {
    if (!m_process) return;
    if (!EndsWithin(0)) TerminateProcess(m_process.Get(), 0);
    WaitForSingleObject(m_process.Get(), 2000);
}

bool WatchedProcess::EndsWithin(DWORD milliseconds) const {
    return m_process && WaitForSingleObject(m_process.Get(), milliseconds) == WAIT_OBJECT_0;
}
