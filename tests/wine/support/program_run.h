#pragma once
// The real Reelsift.exe started as a child process from a folder of the test's choosing, and found again by
// its windows.

#include <windows.h>

#include <string>

// The built program, as a Windows path.
std::wstring BuiltProgramPath();
// The same program built to run as where the system refuses to put the downloader into a job of ours.
std::wstring BuiltProgramWithoutJobsPath();

class ProgramRun {
public:
    // Starts `executable` with `folder` as its working folder; waits until its dialog is shown.
    ProgramRun(const std::wstring& executable, const std::wstring& folder);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    HWND Dialog() const { return m_dialog; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    // A shown dialog window of the process other than the main dialog (a message box), or null.
    HWND FindOtherDialog(DWORD timeoutMs) const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};
