#include "download/ToolProcess.h"

#include "download/ProcessTree.h"

namespace {

// A process ends a moment after TerminateProcess returns. Its descendants are looked for once it has gone, so that
// none it was starting just then is missed; a tool that takes longer is not waited for.
constexpr DWORD kToolEndWaitMs = 1000;

}  // namespace

ToolProcess::~ToolProcess() {
    Close();
}

OwnedHandle ToolProcess::CreateKillOnCloseJob() {
    OwnedHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job) return job;
    // No breakaway flags: whatever the downloader starts stays in the tree.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits))) job.Reset();
    return job;
}

bool ToolProcess::Start(const std::wstring& commandLine) {
    Close();

    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 0)) return false;
    m_readEnd.Reset(readEnd);
    OwnedHandle writeEndCopy(writeEnd);
    // Only the write end goes to the tool. Holding a read end of its own, the tool would block on a full pipe
    // once we stop reading instead of failing its write.
    if (!SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) return false;

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;

    // CreateProcessW may write into the line, so it gets a copy of its own.
    std::wstring writableLine = commandLine;
    PROCESS_INFORMATION started{};
    // Suspended until it is in the job, so not even its first child can escape the tree.
    const BOOL created = CreateProcessW(nullptr, writableLine.data(), nullptr, nullptr, TRUE,
                                        NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED, nullptr, nullptr, &startup, &started);
    // From here on only the tool's tree holds the write end, so the pipe breaks when that tree has ended.
    writeEndCopy.Reset();
    if (!created) return false;
    OwnedProcessInformation process(started);

    OwnedHandle job = CreateKillOnCloseJob();
    // Where jobs cannot nest (we may run inside someone else's job), the tool runs without one, and its tree is
    // found from the processes' parents when it must end.
    if (job && (s_jobsRefused || !AssignProcessToJobObject(job.Get(), process.hProcess.Get()))) job.Reset();

    {
        std::lock_guard lock(m_handlesLock);
        m_processInfo = std::move(process);
        m_job = std::move(job);
    }
    if (ResumeThread(started.hThread) == static_cast<DWORD>(-1)) {
        Terminate();
        return false;
    }
    return true;
}

bool ToolProcess::Read(char* buffer, unsigned long capacity, unsigned long& bytesRead) {
    bytesRead = 0;
    if (!m_readEnd) {
        SetLastError(ERROR_BROKEN_PIPE);
        return false;
    }
    DWORD received = 0;
    const BOOL ok = ReadFile(m_readEnd.Get(), buffer, capacity, &received, nullptr);
    bytesRead = received;
    return ok != FALSE;
}

void ToolProcess::Terminate() {
    std::lock_guard lock(m_handlesLock);
    if (m_job)
        TerminateJobObject(m_job.Get(), 0);
    else if (m_processInfo.hProcess)
        EndTreeWithoutJob();
}

void ToolProcess::EndTreeWithoutJob() {
    // The tool first, so that it starts nothing more while its descendants are looked for.
    const HANDLE tool = m_processInfo.hProcess.Get();
    if (TerminateProcess(tool, 0)) WaitForSingleObject(tool, kToolEndWaitMs);
    for (const DescendantProcess& descendant : RunningDescendants(tool, m_processInfo.dwProcessId))
        TerminateProcess(descendant.process.Get(), 0);
}

bool ToolProcess::IsRunning() const {
    std::lock_guard lock(m_handlesLock);
    return static_cast<bool>(m_processInfo.hProcess);
}

void ToolProcess::Close() {
    {
        std::lock_guard lock(m_handlesLock);
        m_processInfo = OwnedProcessInformation();
        m_job.Reset();
    }
    m_readEnd.Reset();
}
