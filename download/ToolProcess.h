#pragma once
// One run of the outside downloader: a hidden child whose standard output and standard error share one pipe,
// inside a job object so that the downloader and everything it starts can be ended as one tree. Where the system
// refuses the job, the tree is found from the processes' parents instead.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

#include "framework/Handles.h"

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

    // Tests: from now on, every tool starts as where the system refuses to put it into a job of ours (Windows 7
    // does while Reelsift itself runs inside a job); with false, as usual again.
    static void RefuseJobsForTesting(bool refuse) { s_jobsRefused = refuse; }

private:
    static OwnedHandle CreateKillOnCloseJob();
    // With m_handlesLock held and a tool started.
    void EndTreeWithoutJob();
    void KillConvertersInJob();
    void KillConvertersAmongDescendants();

    static inline std::atomic<bool> s_jobsRefused{false};

    // Guards m_processInfo and m_job, which the user-interface thread uses while the worker may close them.
    // Never held while blocked in ReadFile.
    mutable std::mutex m_handlesLock;
    OwnedProcessInformation m_processInfo;
    OwnedHandle m_job;
    OwnedHandle m_readEnd;  // the worker's alone
};
