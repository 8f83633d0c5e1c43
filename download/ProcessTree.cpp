#include "download/ProcessTree.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <optional>

namespace {

struct ListedProcess {
    DWORD id;
    DWORD parentId;
    std::wstring exeName;
};

std::vector<ListedProcess> ListProcesses() {
    std::vector<ListedProcess> listed;
    OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return listed;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        listed.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    }
    return listed;
}

ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::optional<ULONGLONG> CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
    return Ticks(created);
}

// The id of the process that started it, from the process itself rather than from a list that may be stale.
std::optional<DWORD> ParentId(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (!NT_SUCCESS(::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr)))
        return std::nullopt;
    return static_cast<DWORD>(basic.InheritedFromUniqueProcessId);
}

ULONGLONG Now() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}

}  // namespace

std::vector<DescendantProcess> RunningDescendants(HANDLE root, DWORD rootId) {
    std::vector<DescendantProcess> descendants;
    const std::optional<ULONGLONG> rootCreated = CreationTime(root);
    if (!rootCreated) return descendants;
    const std::vector<ListedProcess> listed = ListProcesses();
    const ULONGLONG listedBy = Now();

    struct Parent {
        DWORD id;
        ULONGLONG created;
    };
    std::vector<Parent> parents{{rootId, *rootCreated}};
    const auto isParent = [&](DWORD id) {
        return std::any_of(parents.begin(), parents.end(), [id](const Parent& parent) { return parent.id == id; });
    };
    // The list grows while it is walked: each process found is a parent to look for in turn.
    for (size_t next = 0; next < parents.size(); ++next) {
        const Parent parent = parents[next];
        for (const ListedProcess& candidate : listed) {
            if (candidate.parentId != parent.id || isParent(candidate.id)) continue;
            OwnedHandle process(
                ::OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, candidate.id));
            if (!process) continue;
            const std::optional<ULONGLONG> created = CreationTime(process.Get());
            // A parent id outlives its process, and the id may since have gone to a newer process of this tree: a
            // child is never created before its parent. And a process created after the list was taken got a listed
            // id that was freed meanwhile: it is not the one listed.
            if (!created || *created < parent.created || *created > listedBy) continue;
            // A listed process that has ended since may have left its id to an unrelated one created within the same
            // clock tick: that one has another parent.
            if (ParentId(process.Get()) != parent.id) continue;
            parents.push_back({candidate.id, *created});
            descendants.push_back({std::move(process), candidate.exeName});
        }
    }
    return descendants;
}
