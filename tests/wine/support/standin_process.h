#pragma once
// A process a test watches: one it started itself, or one a stand-in spawned (opened by id). Whatever is
// still alive when the test is done with it is ended, so no test leaves a sleeper behind.

#include <windows.h>

class WatchedProcess {
public:
    explicit WatchedProcess(HANDLE process) : m_process(process) {}
    static WatchedProcess Open(DWORD processId);
    ~WatchedProcess();
    WatchedProcess(WatchedProcess&& other) noexcept : m_process(other.m_process) { other.m_process = nullptr; }
    WatchedProcess(const WatchedProcess&) = delete;
    WatchedProcess& operator=(const WatchedProcess&) = delete;
    WatchedProcess& operator=(WatchedProcess&&) = delete;

    bool IsOpen() const { return m_process != nullptr; }
    // True when the process has ended, or ends within the time given.
    bool EndsWithin(DWORD milliseconds) const;

private:
    HANDLE m_process;
};
