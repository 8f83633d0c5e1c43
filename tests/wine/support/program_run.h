#pragma once
// The real Reelsift.exe copied into a program folder and started there as a child process, driven through its
// dialog's window.

#include <windows.h>

#include <string>
#include <vector>

#include "support/dialog_window.h"
#include "support/standin_folder.h"
#include "tests/support/win32_helpers.h"

class ProgramRun {
public:
    // Copies the built program into the folder as `name` (unless a copy is there) and starts it with the folder
    // as its working folder; waits until its dialog is shown (Ui().Window() stays null when it is not).
    explicit ProgramRun(ProgramFolder& folder, const std::wstring& name = L"Reelsift.exe",
                        std::string_view built = kBuiltProgram);

    const DialogWindow& Ui() const { return m_ui; }
    DWORD ProcessId() const { return m_process.Id(); }
    // Waits for the process to end; its exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit(DWORD timeoutMs) const;

private:
    Process m_process;
    DialogWindow m_ui;
};

// For a program whose start-up update and first job both play the script, which starts a converter: waits for the
// update's converter, starts the job once the start-up show allows it, and waits for the job's. The ids the
// script's stand-ins recorded, the update's converter first; fewer than two when one did not come.
std::vector<DWORD> StartJobAfterTheUpdatesConverter(const ProgramRun& run, const StandinFolder::Script& script);
