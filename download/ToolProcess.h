#pragma once
// One run of the outside downloader: a hidden child whose standard output and standard error share one pipe,
// inside a job object so that the downloader and everything it starts can be ended as one tree.

#include <windows.h>

#include <mutex>
#include <string>

class ToolProcess {
public:
    ToolProcess() = default;
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Worker thread. Starts the command line hidden, its output on the pipe. False when the tool could not
    // start; a following Read then reports the broken pipe at once. A run still open is closed first.
    bool Start(const std::wstring& commandLine);

    // Worker thread. Blocks until the tool writes (at most `capacity` bytes) or the pipe breaks, which is
    // when the tool and every process that inherited its output have ended. False with 0 bytes then.
    bool Read(char* buffer, unsigned long capacity, unsigned long& bytesRead);

    // Any thread, any time. Ends the current run's whole process tree at once, so a pending Read returns.
    // A run started afterwards is not affected: the caller tests its own abort flag after Start.
    void Terminate();

    // Any thread, any time. Ends the current run's converter processes only; other programs' live on.
    void KillFfmpegProcesses();

    // Any thread: a tool process started by this object has not been cleaned up yet.
    bool IsRunning() const;

    // Worker thread. Releases every handle of the run; anything still alive in its tree ends with the job.
    void Close();

private:
    // Owns one kernel handle; null and INVALID_HANDLE_VALUE both mean none.
    class OwnedHandle {
    public:
        OwnedHandle() = default;
        explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
        ~OwnedHandle() { Reset(); }
        OwnedHandle(OwnedHandle&& other) noexcept : m_handle(other.Release()) {}
        OwnedHandle& operator=(OwnedHandle&& other) noexcept;
        OwnedHandle(const OwnedHandle&) = delete;
        OwnedHandle& operator=(const OwnedHandle&) = delete;

        HANDLE Get() const { return m_handle; }
        explicit operator bool() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
        HANDLE Release();
        void Reset(HANDLE handle = nullptr);

    private:
        HANDLE m_handle = nullptr;
    };

    static OwnedHandle CreateKillOnCloseJob();

    // Guards m_processInfo and m_job, which the user-interface thread uses while the worker may close them.
    // Never held while blocked in ReadFile.
    mutable std::mutex m_handlesLock;
    PROCESS_INFORMATION m_processInfo{};
    OwnedHandle m_job;
    OwnedHandle m_readEnd;  // the worker's alone
};
