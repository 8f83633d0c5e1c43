#include "support/program_run.h"

#include "res/resource.h"
#include "support/job_session.h"
#include "tests/support/desktop_windows.h"

ProgramRun::ProgramRun(ProgramFolder& folder, const std::wstring& name, std::string_view built) {
    const std::wstring program = folder.AddProgram(name, built);
    m_process = Process::Start(program, Quoted(program), folder.Path());
    if (!m_process.IsOpen()) return;
    HWND dialog = nullptr;
    DialogWindow::WaitFor(
        [&] {
            dialog = FindTopLevelWindow([&](HWND window) {
                return ProcessOfWindow(window) == m_process.Id() && ::IsWindowVisible(window) &&
                       HasWindowClass(window, L"#32770");
            });
            return dialog != nullptr;
        },
        15000);
    m_ui = DialogWindow(dialog);
}

DWORD ProgramRun::WaitForExit(DWORD timeoutMs) const {
    DialogWindow::WaitFor([&] { return m_process.ExitCode() != STILL_ACTIVE; }, timeoutMs);
    return m_process.ExitCode();
}

std::vector<DWORD> StartJobAfterTheUpdatesConverter(const ProgramRun& run, const StandinFolder::Script& script) {
    const DialogWindow& ui = run.Ui();
    std::vector<DWORD> spawned;
    const auto spawnedAtLeast = [&](size_t count) {
        return DialogWindow::WaitFor(
            [&] {
                spawned = StandinFolder::SpawnedProcessIds(script);
                return spawned.size() >= count;
            },
            15000);
    };
    // The update's converter first, so that the order of the record tells the two apart.
    if (!spawnedAtLeast(1) || !DialogWindow::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD); }, 15000)) return {};
    ui.SetText(IDC_URL, kJobLink);
    ui.Command(IDC_DOWNLOAD);
    spawnedAtLeast(2);
    return spawned;
}
