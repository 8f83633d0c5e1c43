// The real Reelsift.exe from start to exit, driven as a user drives it, with the stand-in downloader replaying
// a recorded run of the real one; and the copy that New link starts.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/fresh_account_test.h"
#include "support/dialog_harness.h"
#include "support/e2e_desktop.h"
#include "support/job_session.h"
#include "support/program_run.h"
#include "support/standin_folder.h"
#include "support/tray_probe.h"
#include "tests/support/desktop_windows.h"

namespace {

class EndToEndTest : public FreshAccountAndClipboardTest {};

// Processes the program started besides its downloader (the folder window the shell opens, a copy of the
// program); whatever is still alive at the end is ended. Each is held open from when it is seen: ended by its
// id alone, a later process that was given the same id would be ended instead.
class StrayProcesses {
public:
    ~StrayProcesses() { EndAll(); }
    void Add(DWORD id) { m_processes.push_back(Process::Open(id)); }
    void EndAll() {
        for (Process& process : m_processes) EndProcessTree(process);
    }

private:
    std::vector<Process> m_processes;
};

std::vector<DWORD> ChildrenOtherThanTheDownloader(DWORD programId) {
    std::vector<DWORD> others;
    for (const ChildProcess& child : ChildProcesses(programId)) {
        if (::lstrcmpiW(child.exeName.c_str(), L"youtube-dl.exe") != 0) others.push_back(child.id);
    }
    return others;
}

TEST_F(EndToEndTest, FromAPastedLinkToACompletedJobAndAnExitFromTheIcon) {
    StandinFolder folder(StandinFolder::Downloader::Present, StandinFolder::Animations::Copied);
    TempFolder output(folder.Path(), L"Output");
    WriteSetting(L"LastFolderPath", output.Path());  // the user's account has the settings key
    folder.WriteScript("exit 0\n");
    StrayProcesses strays;

    // Start: the start-up show, then Download is on offer.
    ProgramRun run(folder);
    const DialogWindow& ui = run.Ui();
    HWND dialog = ui.Window();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitForSelfUpdate(folder));
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD); }, 15000));
    EXPECT_EQ(ui.Title(), L"Reelsift");

    // The link comes from the clipboard once auto-paste is on.
    ui.Click(IDC_AUTO_PASTE_LABEL);
    ASSERT_TRUE(ui.Checked(IDC_AUTO_PASTE));
    PutOnClipboard(kJobLink);
    BringToFront(dialog);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Text(IDC_URL) == kJobLink; }, 15000))
        << "the watcher did not paste the link";

    // Options: audio only as MP3, open the folder when done.
    ui.Click(IDC_AUDIO_ONLY_LABEL);
    ASSERT_TRUE(ui.Checked(IDC_AUDIO_ONLY));
    ui.Select(IDC_AUDIO_FORMAT, 1);
    ui.Click(IDC_AUTO_OPEN_LABEL);
    ASSERT_TRUE(ui.Checked(IDC_AUTO_OPEN));

    // Download: the recorded run of the real downloader, with a pause at the end to press Notify in.
    folder.RewriteScript("replay " + DownloaderFixtureFolder("extract-audio-mp3") + "\nsleep 5000\n");
    const ULONGLONG downloadPressed = ::GetTickCount64();
    ui.ClickLater(IDC_DOWNLOAD);
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] { return ui.Title().rfind(L"Download ", 0) == 0 && ui.BarPosition(IDC_MAIN_PROGRESS) > 0; }, 10000))
        << "no progress shown";
    EXPECT_TRUE(ui.Visible(IDC_MAIN_PROGRESS));
    EXPECT_TRUE(ui.Visible(IDC_STATUS));
    EXPECT_FALSE(ui.Enabled(IDC_DOWNLOAD));
    const std::vector<std::wstring> commandLines = folder.RecordedCommandLines();
    ASSERT_EQ(commandLines.size(), 2u);
    EXPECT_NE(commandLines[1].find(L"--audio-format mp3"), std::wstring::npos);
    EXPECT_NE(commandLines[1].find(L"--extract-audio"), std::wstring::npos);
    DialogHarness::Pause(300);  // let the bar draw its figure
    SaveScreenshot("screenshot-job", ui.Area());

    // Notify when finished: the dialog goes into the notification area until the job is done.
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Visible(IDC_NOTIFY); }, 5000));
    const int iconsBefore = TrayIconCount();
    ui.ClickLater(IDC_NOTIFY);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !::IsWindowVisible(dialog); }, 3000));
    EXPECT_EQ(TrayIconCount(), iconsBefore + 1);

    // The job ends with its item at 100 percent: the balloon.
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Title() == L"Reelsift"; }, 25000));
    const ULONGLONG jobEnded = ::GetTickCount64();
    folder.RewriteScript("exit 0\n");  // for the self-update of the next start
    EXPECT_TRUE(DialogHarness::WaitFor([] { return TrayBalloonVisible(); }, 5000));
    SaveScreenshot("screenshot-balloon", RECT{0, 0, 400, 160});

    // Back from the icon: the ready animation plays.
    ::PostMessageW(dialog, WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONUP);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }, 3000));
    EXPECT_TRUE(ShowsAnimation(ui.Control(IDC_GIF_READY)));

    // 12.5 s after the end the output folder opens by itself, through the shell.
    std::vector<DWORD> opened;
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            opened = ChildrenOtherThanTheDownloader(run.ProcessId());
            return !opened.empty();
        },
        25000))
        << "the folder did not open";
    for (DWORD id : opened) strays.Add(id);
    // The timer starts when the downloader has ended, after its 5 s pause: a busy machine only makes that later.
    // Seeing the title set back may come late too, so it bounds the opening from above only.
    const ULONGLONG now = ::GetTickCount64();
    EXPECT_GE(now - downloadPressed, 17500u);
    EXPECT_LE(now - jobEnded, 20000u);
    strays.EndAll();

    // Exit from the icon's menu ends the program cleanly.
    HWND menu = OpenIconMenu(dialog, WM_TRAY_NOTIFY, TRAY_ICON_ID);
    ASSERT_NE(menu, nullptr);
    ChoosePopupMenuItem(menu, 1);
    ASSERT_EQ(run.WaitForExit(10000), 0u);
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return TrayIconCount() == iconsBefore; }, 3000));

    // The next start finds the choices again.
    ProgramRun next(folder);
    const DialogWindow& nextUi = next.Ui();
    ASSERT_NE(nextUi.Window(), nullptr);
    EXPECT_TRUE(nextUi.Checked(IDC_AUTO_PASTE));
    EXPECT_TRUE(nextUi.Checked(IDC_AUDIO_ONLY));
    EXPECT_TRUE(nextUi.Checked(IDC_AUTO_OPEN));
    EXPECT_EQ(nextUi.Selection(IDC_AUDIO_FORMAT), 1);
    EXPECT_EQ(nextUi.Text(IDC_OUTPUT_FOLDER), output.Path());

    // The idle dialog once its start-up show is over, for the README.
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] { return nextUi.Enabled(IDC_DOWNLOAD) && !nextUi.Visible(IDC_STARTUP_PROGRESS); }, 15000));
    ClearClipboard();  // nothing to paste into the picture
    DialogHarness::Pause(300);
    SaveScreenshot("screenshot", nextUi.Area());
    nextUi.Close();
    EXPECT_EQ(next.WaitForExit(10000), 0u);
}

TEST_F(EndToEndTest, NewLinkStartsAVisibleCopyInFront) {
    StandinFolder folder;
    folder.WriteScript("exit 0\n");
    StrayProcesses strays;
    ProgramRun run(folder);
    const DialogWindow& ui = run.Ui();
    ASSERT_NE(ui.Window(), nullptr);
    ASSERT_TRUE(WaitForSelfUpdate(folder));

    folder.RewriteScript("out [download]  10.0% of 2.92MiB at  1.00MiB/s ETA 00:02\\r\nsleep 30000\n");
    ui.SetText(IDC_URL, kJobLink);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD); }, 15000));
    ui.ClickLater(IDC_DOWNLOAD);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Title().rfind(L"Download ", 0) == 0; }, 15000));
    folder.RewriteScript("exit 0\n");  // the copy's own self-update ends at once

    ASSERT_TRUE(ui.Enabled(IDC_NEW_LINK));
    ui.ClickLater(IDC_NEW_LINK);
    const std::vector<DWORD> copies = WaitForChildProcesses(run.ProcessId(), L"Reelsift.exe", 10000);
    ASSERT_FALSE(copies.empty()) << "no copy started";
    for (DWORD id : copies) strays.Add(id);
    ASSERT_EQ(copies.size(), 1u);

    // Its dialog shows and comes to the front.
    DialogWindow copy;
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            copy = DialogWindow(::GetForegroundWindow());
            return ProcessOfWindow(copy.Window()) == copies[0] && ::IsWindowVisible(copy.Window());
        },
        10000))
        << "the copy's dialog is not in front";
    EXPECT_EQ(copy.Title(), L"Reelsift");

    // End both the way a user does; closing the first also ends its downloader.
    const Process copyProcess = Process::Open(copies[0]);
    ASSERT_TRUE(copyProcess.IsOpen());
    copy.Close();
    ui.Close();
    EXPECT_EQ(run.WaitForExit(10000), 0u);
    DialogHarness::WaitFor([&] { return copyProcess.ExitCode() != STILL_ACTIVE; }, 10000);
    EXPECT_EQ(copyProcess.ExitCode(), 0u);
}

}  // namespace
