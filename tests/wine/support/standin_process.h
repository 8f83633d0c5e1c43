#pragma once
// A process a test watches: one it started itself, or one a stand-in spawned (opened by id). Whatever is
// still alive when the test is done with it is ended, so no test leaves a sleeper behind.

#include <windows.h>

#include "framework/Handles.h"

class WatchedProcess {
public:
    explicit WatchedProcess(HANDLE process) : m_process(process) {}
    static WatchedProcess Open(DWORD processId);
    ~WatchedProcess();
    WatchedProcess(WatchedProcess&& other) noexcept = default;
    WatchedProcess(const WatchedProcess&) = delete;
    WatchedProcess& operator=(const WatchedProcess&) = delete;
    WatchedProcess& operator=(WatchedProcess&&) = delete;

    bool IsOpen() const { return static_cast<bool>(m_process); }
    // True when the process has ended, or ends within the time given.
    bool EndsWithin(DWORD milliseconds) const;

private:
    OwnedHandle m_process;
};
