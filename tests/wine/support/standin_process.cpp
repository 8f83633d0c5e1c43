#include "support/standin_process.h"

WatchedProcess WatchedProcess::Open(DWORD processId) {
    return WatchedProcess(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
}

WatchedProcess::~WatchedProcess() {
    if (!m_process) return;
    if (!EndsWithin(0)) TerminateProcess(m_process, 0);
    WaitForSingleObject(m_process, 2000);
    CloseHandle(m_process);
}

bool WatchedProcess::EndsWithin(DWORD milliseconds) const {
    return m_process && WaitForSingleObject(m_process, milliseconds) == WAIT_OBJECT_0;
}
