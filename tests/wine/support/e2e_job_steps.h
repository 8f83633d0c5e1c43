#pragma once
// Steps of a download job in the dialog under test, shared by the tests that need a job to run.

#include <string>

#include "support/dialog_harness.h"
#include "support/standin_folder.h"

inline const std::wstring kJobLink = L"https://media.example.net/watch?v=Ab3dE5fG7h";

// Stand-in scripts: an item that reaches 100 percent, and one that stops short of it.
inline const std::string kItemCompletes = "out [download] 100% of 2.92MiB in 00:03\\n\n";
inline const std::string kItemStopsShort = "out [download]  42.0% of 2.92MiB at  1.00MiB/s ETA 00:02\\r\n";

// Replaces the lines of the script the stand-ins play, in place. A program started earlier keeps the script's
// path in its environment, so its downloader plays the new lines too.
inline void RewriteCurrentScript(const std::string& lines) {
    wchar_t path[MAX_PATH] = L"";
    if (!::GetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", path, MAX_PATH)) return;
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    ::CloseHandle(file);
}

// Waits until the start-up self-update has run the stand-in, so that it does not play a later script.
inline bool WaitForSelfUpdate(const StandinFolder& folder) {
    return DialogHarness::WaitFor([&] { return !folder.RecordedCommandLines().empty(); }, 10000);
}

// Puts the link into the box and presses Download; the handler has run when this returns. The button's own
// state is not looked at, so a job can start while the start-up show still runs.
inline void StartJob(DialogHarness& ui, const std::wstring& link = kJobLink) {
    ui.SetText(IDC_URL, link);
    ::SendMessageW(ui.Window(), WM_COMMAND, MAKEWPARAM(IDC_DOWNLOAD, BN_CLICKED),
                   reinterpret_cast<LPARAM>(ui.Control(IDC_DOWNLOAD)));
}

// The control's own visibility, which holds also while the dialog around it is hidden.
inline bool ShownInDialog(const DialogHarness& ui, int id) {
    return (::GetWindowLongW(ui.Control(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

// The worker has put the dialog back to idle: its last step shows the auto-paste box again.
inline bool JobEnded(const DialogHarness& ui) {
    return !ui.Enabled(IDC_ABORT) && !ShownInDialog(ui, IDC_MAIN_PROGRESS) && ShownInDialog(ui, IDC_AUTO_PASTE);
}

inline bool WaitForJobEnd(const DialogHarness& ui, DWORD timeoutMs = 15000) {
    return DialogHarness::WaitFor([&] { return JobEnded(ui); }, timeoutMs);
}
