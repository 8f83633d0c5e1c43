#include "download/ToolProcess.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "download/ProcessTree.h"

namespace {

// The ids of the processes that are in the job now; empty when the list cannot be read.
std::vector<ULONG_PTR> JobProcessIds(HANDLE job) {
    // The header is two DWORDs, which never take more room than two ULONG_PTRs.
    constexpr size_t headerSlots = 2;
    size_t capacity = 32;
    std::vector<ULONG_PTR> ids;
    // The tree may grow while we ask; a few tries settle it, and a list that is still short is used as it is.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::vector<ULONG_PTR> buffer(headerSlots + capacity);
        auto* list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(buffer.data());
        const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(ULONG_PTR));
        const BOOL ok = QueryInformationJobObject(job, JobObjectBasicProcessIdList, list, bytes, nullptr);
        if (!ok && GetLastError() != ERROR_MORE_DATA) break;
        const size_t listed = std::min<size_t>(list->NumberOfProcessIdsInList, capacity);
        ids.assign(list->ProcessIdList, list->ProcessIdList + listed);
        if (ok && list->NumberOfProcessIdsInList >= list->NumberOfAssignedProcesses) break;
        capacity = std::max<size_t>(capacity * 2, list->NumberOfAssignedProcesses + 8u);
    }
    return ids;
}

bool IsConverterName(const wchar_t* exeName) {
    return std::wcsstr(exeName, L"ffmpeg.exe") != nullptr;
}

}  // namespace

void ToolProcess::KillFfmpegProcesses() {
    std::lock_guard lock(m_handlesLock);
    if (m_job)
        KillConvertersInJob();
    else if (m_processInfo.hProcess)
        KillConvertersAmongDescendants();
}

void ToolProcess::KillConvertersInJob() {
    const std::vector<ULONG_PTR> members = JobProcessIds(m_job.Get());
    if (members.empty()) return;
    OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;

    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        if (!IsConverterName(entry.szExeFile)) continue;
        if (std::find(members.begin(), members.end(), entry.th32ProcessID) == members.end()) continue;
        // The full query right: Wine's IsProcessInJob refuses the limited one.
        OwnedHandle process(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID));
        if (!process) continue;
        // The id may have been reused since the list was taken: only a process still in our job is ours.
        BOOL inJob = FALSE;
        if (IsProcessInJob(process.Get(), m_job.Get(), &inJob) && inJob) TerminateProcess(process.Get(), 0);
    }
}

void ToolProcess::KillConvertersAmongDescendants() {
    for (const DescendantProcess& descendant :
         RunningDescendants(m_processInfo.hProcess.Get(), m_processInfo.dwProcessId)) {
        if (IsConverterName(descendant.exeName.c_str())) TerminateProcess(descendant.process.Get(), 0);
    }
}
