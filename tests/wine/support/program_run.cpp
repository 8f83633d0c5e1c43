#include "support/program_run.h"

#include "support/desktop_search.h"
#include "support/dialog_harness.h"
#include "support/standin_folder.h"

namespace {

HWND FindShownDialog(DWORD processId, HWND exclude, DWORD timeoutMs) {
    HWND found = nullptr;
    DialogHarness::WaitFor(
        [&] {
            found = FindTopLevelWindow([&](HWND window) {
                return ProcessOfWindow(window) == processId && window != exclude && ::IsWindowVisible(window) &&
                       HasWindowClass(window, L"#32770");
            });
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

}  // namespace

std::wstring BuiltProgramPath() {
    return WindowsPathOf(std::string(REELSIFT_BINARY_DIR) + "/app/Reelsift.exe");
}

std::wstring BuiltProgramWithoutJobsPath() {
    return WindowsPathOf(std::string(REELSIFT_BINARY_DIR) + "/tests/wine/ReelsiftWithoutJobs.exe");
}

ProgramRun::ProgramRun(const std::wstring& executable, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + executable + L"\"";
    if (::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                         &startup, &m_process)) {
        m_dialog = FindShownDialog(m_process.dwProcessId, nullptr, 15000);
    }
}

ProgramRun::~ProgramRun() {
    if (m_process.hProcess) {
        if (WaitForExit(0) == STILL_ACTIVE) ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
}

HWND ProgramRun::FindOtherDialog(DWORD timeoutMs) const {
    return FindShownDialog(m_process.dwProcessId, m_dialog, timeoutMs);
}

DWORD ProgramRun::WaitForExit(DWORD timeoutMs) const {
    DWORD code = STILL_ACTIVE;
    DialogHarness::WaitFor([&] { return ::GetExitCodeProcess(m_process.hProcess, &code) && code != STILL_ACTIVE; },
                           timeoutMs);
    return code;
}
