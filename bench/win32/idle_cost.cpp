// Idle cost: the CPU time Reelsift uses while it sits idle after its start-up show (clipboard watcher running,
// auto-paste on, no animation playing), as a share of one core, beside a bare program that only sleeps.
//
// Under Wine, GetProcessTimes answers for the calling process only (another process's handle gets the
// caller's own figures), so each process's time is read from the kernel's record of the Unix process that
// carries it, /proc/<pid>/stat, reached as Z:\proc.
#include <windows.h>

#include "framework/RegKey.h"
#include "tests/support/desktop_windows.h"
#include "tests/support/owned_handles.h"
#include "tests/support/win32_helpers.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr DWORD kMeasureMs = 30000;
// The start-up show takes 5.4 s and the longest start-up animation 16 s: after this, nothing plays.
constexpr DWORD kQuietAfterStartMs = 17500;
constexpr double kKernelTicksPerSecond = 100.0;  // USER_HZ of Linux

// The Unix process whose command line holds the marker (Wine puts the Windows command line there).
std::optional<std::wstring> FindUnixProcess(const std::string& marker) {
    WIN32_FIND_DATAW entry;
    const OwnedFileSearch search(::FindFirstFileW(L"Z:\\proc\\*", &entry));
    if (!search) return std::nullopt;
    std::optional<std::wstring> found;
    do {
        if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName;
        std::string commandLine = ReadFileBytes(folder + L"\\cmdline");
        for (char& ch : commandLine) ch = ch == '\0' ? ' ' : ch;
        if (commandLine.find(marker) != std::string::npos) {
            found = folder;
            break;
        }
    } while (::FindNextFileW(search.Get(), &entry));
    return found;
}

// User plus system time of the Unix process, in seconds; negative when it cannot be read.
double ProcessCpuSeconds(const std::wstring& procFolder) {
    const std::string stat = ReadFileBytes(procFolder + L"\\stat");
    const size_t afterName = stat.rfind(')');
    if (afterName == std::string::npos) return -1;
    // Fields after the name: state is field 3, utime 14, stime 15.
    const char* cursor = stat.c_str() + afterName + 2;
    unsigned long long fields[13] = {};
    for (int field = 3; field <= 15; ++field) {
        char* end = nullptr;
        if (field == 3) {
            while (*cursor && *cursor != ' ') ++cursor;
            continue;
        }
        fields[field - 3] = std::strtoull(cursor, &end, 10);
        cursor = end;
    }
    return static_cast<double>(fields[14 - 3] + fields[15 - 3]) / kKernelTicksPerSecond;
}

bool WaitForVisibleWindow(DWORD processId, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < deadline) {
        if (FindShownWindowOf(processId)) return true;
        ::Sleep(20);
    }
    return false;
}

// Auto-paste on for the run, so that the watcher does its whole pass each second; the user's value comes back.
class AutoPasteOn {
public:
    AutoPasteOn() {
        m_keyExisted = m_key.Open(HKEY_CURRENT_USER, kKey) == ERROR_SUCCESS;
        if (!m_keyExisted && m_key.Create(HKEY_CURRENT_USER, kKey) != ERROR_SUCCESS) return;
        DWORD size = sizeof(m_previous) - sizeof(wchar_t);  // room for the end a stored text may lack
        m_hadValue = ::RegQueryValueExW(m_key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(m_previous), &size) ==
                     ERROR_SUCCESS;
        m_key.SetStringValue(kValue, L"true");
    }
    ~AutoPasteOn() {
        if (!m_key) return;
        if (m_hadValue)
            m_key.SetStringValue(kValue, m_previous);
        else
            ::RegDeleteValueW(m_key, kValue);
        m_key = CRegKey();  // closed before the key it made goes
        if (!m_keyExisted) ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }
    AutoPasteOn(const AutoPasteOn&) = delete;
    AutoPasteOn& operator=(const AutoPasteOn&) = delete;

private:
    static constexpr const wchar_t* kKey = L"SOFTWARE\\Reelsift";
    static constexpr const wchar_t* kValue = L"check_auto_paste";
    CRegKey m_key;
    bool m_keyExisted = false;
    bool m_hadValue = false;
    wchar_t m_previous[16] = L"";
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]).rfind(L"--bare", 0) == 0) {
        ::Sleep(kQuietAfterStartMs + kMeasureMs + 10000);
        return 0;
    }

    // The program's own folder holds it and its animations, and no downloader.
    ProgramFolder folder(L"reelsift-idle-bench-");
    const std::wstring program = folder.AddProgram();
    folder.AddAnimations();
    const std::string marker = Utf8(folder.Path().substr(folder.Path().find_last_of(L'\\') + 1)) + "\\Reelsift.exe";
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string bareMarker = "--bare-" + std::to_string(::GetCurrentProcessId());

    double programShare = -1;
    double bareShare = -1;
    {
        AutoPasteOn autoPaste;
        const Process reelsift = Process::Start(program, Quoted(program), folder.Path());
        const Process bare = Process::Start(self, Quoted(self) + L" " + Wide(bareMarker), folder.Path());
        if (!reelsift.IsOpen() || !bare.IsOpen() || !WaitForVisibleWindow(reelsift.Id(), 20000)) {
            std::fprintf(stderr, "could not start the programs\n");
            return 1;
        }
        ::Sleep(kQuietAfterStartMs);
        const std::optional<std::wstring> reelsiftProc = FindUnixProcess(marker);
        const std::optional<std::wstring> bareProc = FindUnixProcess(bareMarker);
        if (!reelsiftProc || !bareProc) {
            std::fprintf(stderr, "could not find the processes under Z:\\proc\n");
            return 1;
        }
        const double programBefore = ProcessCpuSeconds(*reelsiftProc);
        const double bareBefore = ProcessCpuSeconds(*bareProc);
        const ULONGLONG start = ::GetTickCount64();
        ::Sleep(kMeasureMs);
        const double seconds = static_cast<double>(::GetTickCount64() - start) / 1000.0;
        programShare = 100.0 * (ProcessCpuSeconds(*reelsiftProc) - programBefore) / seconds;
        bareShare = 100.0 * (ProcessCpuSeconds(*bareProc) - bareBefore) / seconds;
    }

    std::printf("idle CPU over %u s after the start-up show (watcher on, auto-paste on, no animation)\n",
                static_cast<unsigned>(kMeasureMs / 1000));
    std::printf("  Reelsift.exe            %6.3f %% of one core   (target < 0.5 %%)\n", programShare);
    std::printf("  bare sleeping program   %6.3f %% of one core\n", bareShare);
    return 0;
}
