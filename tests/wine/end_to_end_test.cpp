// The real Reelsift.exe from start to exit, driven as a user drives it, with the stand-in downloader replaying
// a recorded run of the real one; and the copy that New link starts.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/fresh_account_test.h"
#include "support/dialog_harness.h"
#include "support/e2e_desktop.h"
#include "support/e2e_job_steps.h"
#include "support/e2e_program_folder.h"
#include "support/program_run.h"
#include "support/standin_folder.h"
#include "support/tray_probe.h"

namespace {

class EndToEndTest : public FreshAccountAndClipboardTest {};

// Processes the program started besides its downloader (the folder window the shell opens, a copy of the
// program); whatever is still alive at the end is ended.
class StrayProcesses {
public:
    ~StrayProcesses() {
        for (DWORD id : m_ids) EndProcessTree(id);
    }
    void Add(DWORD id) { m_ids.insert(id); }

private:
    std::set<DWORD> m_ids;
};

std::vector<DWORD> ChildrenOtherThanTheDownloader(DWORD programId) {
    std::vector<DWORD> others;
    for (const ChildProcess& child : ChildProcesses(programId)) {
        if (::lstrcmpiW(child.exeName.c_str(), L"youtube-dl.exe") != 0) others.push_back(child.id);
    }
    return others;
}

std::wstring WindowTitle(HWND window) {
    wchar_t title[128] = L"";
    ::GetWindowTextW(window, title, 128);
    return title;
}

RECT WindowArea(HWND window) {
    RECT area{};
    ::GetWindowRect(window, &area);
    return area;
}

// A click of the user on a control of the program: buttons through their own click, the caption-less click
// areas through the mouse messages that make them notify.
void ClickOn(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    wchar_t className[32] = L"";
    ::GetClassNameW(control, className, 32);
    if (::lstrcmpiW(className, L"Button") == 0) {
        ::SendMessageW(control, BM_CLICK, 0, 0);
    } else {
        ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
}

bool Checked(HWND dialog, int id) {
    return ::SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST_F(EndToEndTest, FromAPastedLinkToACompletedJobAndAnExitFromTheIcon) {
    StandinFolder folder;
    StatusAnimationsCopy animations(folder.Path());
    ScratchSubfolder output(folder.Path(), L"Output");
    const std::wstring program = folder.FilePath(L"Reelsift.exe");
    ASSERT_TRUE(::CopyFileW(BuiltProgramPath().c_str(), program.c_str(), FALSE));
    WriteSetting(L"LastFolderPath", output.Path());  // the user's account has the settings key
    folder.WriteScript("exit 0\n");
    StrayProcesses strays;

    // Start: the start-up show, then Download is on offer.
    ProgramRun run(program, folder.Path());
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitForSelfUpdate(folder));
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, IDC_DOWNLOAD)); }, 15000));
    EXPECT_EQ(WindowTitle(dialog), L"Reelsift");

    // The link comes from the clipboard once auto-paste is on.
    ClickOn(dialog, IDC_AUTO_PASTE_LABEL);
    ASSERT_TRUE(Checked(dialog, IDC_AUTO_PASTE));
    PutOnClipboard(kJobLink);
    BringToFront(dialog);
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            wchar_t box[256] = L"";
            ::GetDlgItemTextW(dialog, IDC_URL, box, 256);
            return kJobLink == box;
        },
        15000))
        << "the watcher did not paste the link";

    // Options: audio only as MP3, open the folder when done.
    ClickOn(dialog, IDC_AUDIO_ONLY_LABEL);
    ASSERT_TRUE(Checked(dialog, IDC_AUDIO_ONLY));
    HWND formats = ::GetDlgItem(dialog, IDC_AUDIO_FORMAT);
    ::SendMessageW(formats, CB_SETCURSEL, 1, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_AUDIO_FORMAT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(formats));
    ClickOn(dialog, IDC_AUTO_OPEN_LABEL);
    ASSERT_TRUE(Checked(dialog, IDC_AUTO_OPEN));

    // Download: the recorded run of the real downloader, with a pause at the end to press Notify in.
    RewriteCurrentScript("replay " + DownloaderFixtureFolder("extract-audio-mp3") + "\nsleep 5000\n");
    const ULONGLONG downloadPressed = ::GetTickCount64();
    ::PostMessageW(::GetDlgItem(dialog, IDC_DOWNLOAD), BM_CLICK, 0, 0);
    HWND progress = ::GetDlgItem(dialog, IDC_MAIN_PROGRESS);
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            return WindowTitle(dialog).rfind(L"Download ", 0) == 0 && ::SendMessageW(progress, PBM_GETPOS, 0, 0) > 0;
        },
        10000))
        << "no progress shown";
    EXPECT_TRUE(::IsWindowVisible(progress));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDC_STATUS)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_DOWNLOAD)));
    const std::vector<std::wstring> commandLines = folder.RecordedCommandLines();
    ASSERT_EQ(commandLines.size(), 2u);
    EXPECT_NE(commandLines[1].find(L"--audio-format mp3"), std::wstring::npos);
    EXPECT_NE(commandLines[1].find(L"--extract-audio"), std::wstring::npos);
    DialogHarness::Pause(300);  // let the bar draw its figure
    SaveScreenshot("screenshot-job", WindowArea(dialog));

    // Notify when finished: the dialog goes into the notification area until the job is done.
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ::IsWindowVisible(::GetDlgItem(dialog, IDC_NOTIFY)); }, 5000));
    const int iconsBefore = TrayIconCount();
    ::PostMessageW(::GetDlgItem(dialog, IDC_NOTIFY), BM_CLICK, 0, 0);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !::IsWindowVisible(dialog); }, 3000));
    EXPECT_EQ(TrayIconCount(), iconsBefore + 1);

    // The job ends with its item at 100 percent: the balloon.
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return WindowTitle(dialog) == L"Reelsift"; }, 25000));
    const ULONGLONG jobEnded = ::GetTickCount64();
    RewriteCurrentScript("exit 0\n");  // for the self-update of the next start
    EXPECT_TRUE(DialogHarness::WaitFor([] { return TrayBalloonVisible(); }, 5000));
    SaveScreenshot("screenshot-balloon", RECT{0, 0, 400, 160});

    // Back from the icon: the ready animation plays.
    ::PostMessageW(dialog, WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONUP);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }, 3000));
    EXPECT_TRUE(ShowsAnimation(::GetDlgItem(dialog, IDC_GIF_READY)));

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
    for (DWORD id : opened) EndProcessTree(id);

    // Exit from the icon's menu ends the program cleanly.
    HWND menu = OpenIconMenu(dialog, WM_TRAY_NOTIFY, TRAY_ICON_ID);
    ASSERT_NE(menu, nullptr);
    ChoosePopupMenuItem(menu, 1);
    ASSERT_EQ(run.WaitForExit(10000), 0u);
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return TrayIconCount() == iconsBefore; }, 3000));

    // The next start finds the choices again.
    ProgramRun next(program, folder.Path());
    ASSERT_NE(next.Dialog(), nullptr);
    EXPECT_TRUE(Checked(next.Dialog(), IDC_AUTO_PASTE));
    EXPECT_TRUE(Checked(next.Dialog(), IDC_AUDIO_ONLY));
    EXPECT_TRUE(Checked(next.Dialog(), IDC_AUTO_OPEN));
    EXPECT_EQ(::SendDlgItemMessageW(next.Dialog(), IDC_AUDIO_FORMAT, CB_GETCURSEL, 0, 0), 1);
    wchar_t shownFolder[MAX_PATH] = L"";
    ::GetDlgItemTextW(next.Dialog(), IDC_OUTPUT_FOLDER, shownFolder, MAX_PATH);
    EXPECT_EQ(std::wstring(shownFolder), output.Path());

    // The idle dialog once its start-up show is over, for the README.
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            return ::IsWindowEnabled(::GetDlgItem(next.Dialog(), IDC_DOWNLOAD)) &&
                   !::IsWindowVisible(::GetDlgItem(next.Dialog(), IDC_STARTUP_PROGRESS));
        },
        15000));
    ClearClipboard();  // nothing to paste into the picture
    DialogHarness::Pause(300);
    SaveScreenshot("screenshot", WindowArea(next.Dialog()));
    ::PostMessageW(next.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(next.WaitForExit(10000), 0u);
}

TEST_F(EndToEndTest, NewLinkStartsAVisibleCopyInFront) {
    StandinFolder folder;
    const std::wstring program = folder.FilePath(L"Reelsift.exe");
    ASSERT_TRUE(::CopyFileW(BuiltProgramPath().c_str(), program.c_str(), FALSE));
    folder.WriteScript("exit 0\n");
    StrayProcesses strays;
    ProgramRun run(program, folder.Path());
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(WaitForSelfUpdate(folder));

    RewriteCurrentScript("out [download]  10.0% of 2.92MiB at  1.00MiB/s ETA 00:02\\r\nsleep 30000\n");
    ::SetDlgItemTextW(run.Dialog(), IDC_URL, kJobLink.c_str());
    HWND download = ::GetDlgItem(run.Dialog(), IDC_DOWNLOAD);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ::IsWindowEnabled(download) != FALSE; }, 15000));
    ::PostMessageW(download, BM_CLICK, 0, 0);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return WindowTitle(run.Dialog()).rfind(L"Download ", 0) == 0; }, 15000));
    RewriteCurrentScript("exit 0\n");  // the copy's own self-update ends at once

    HWND newLink = ::GetDlgItem(run.Dialog(), IDC_NEW_LINK);
    ASSERT_TRUE(::IsWindowEnabled(newLink));
    ::PostMessageW(newLink, BM_CLICK, 0, 0);
    std::vector<DWORD> copies;
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            copies = ChildProcessIds(run.ProcessId(), L"Reelsift.exe");
            return !copies.empty();
        },
        10000))
        << "no copy started";
    for (DWORD id : copies) strays.Add(id);
    ASSERT_EQ(copies.size(), 1u);

    // Its dialog shows and comes to the front.
    HWND copyDialog = nullptr;
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            copyDialog = ::GetForegroundWindow();
            DWORD owner = 0;
            ::GetWindowThreadProcessId(copyDialog, &owner);
            return owner == copies[0] && ::IsWindowVisible(copyDialog);
        },
        10000))
        << "the copy's dialog is not in front";
    EXPECT_EQ(WindowTitle(copyDialog), L"Reelsift");

    // End both the way a user does; closing the first also ends its downloader.
    ::PostMessageW(copyDialog, WM_CLOSE, 0, 0);
    ::PostMessageW(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(10000), 0u);
    HANDLE copy = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, copies[0]);
    ASSERT_NE(copy, nullptr);
    DWORD copyExit = STILL_ACTIVE;
    DialogHarness::WaitFor([&] { return ::GetExitCodeProcess(copy, &copyExit) && copyExit != STILL_ACTIVE; }, 10000);
    ::CloseHandle(copy);
    EXPECT_EQ(copyExit, 0u);
}

}  // namespace
