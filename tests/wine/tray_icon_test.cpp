// The notification-area icon: adding it, the clicks and the menu, the balloon, and a shell that refuses it or
// restarts.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"
#include "support/e2e_desktop.h"
#include "support/job_session.h"
#include "support/program_run.h"
#include "support/standin_folder.h"
#include "support/tray_probe.h"

namespace {

const std::string kLongJob = "out [download]  10.0% of 2.92MiB at  1.00MiB/s ETA 00:02\\r\nsleep 30000\n";

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteSettingsKey();
        m_job.emplace(JobSetup{.animations = StandinFolder::Animations::None, .waitForStartup = false});
        ASSERT_TRUE(WaitForSelfUpdate(Folder()));
        // The dialog manager shows the dialog the first time its queue runs empty, which may come after the
        // harness saw it shown; a hide before that moment would be undone. No user is that quick.
        DialogHarness::Pause(300);
    }
    void TearDown() override {
        if (!m_job->JobEnded()) {
            // The dialog may be hidden, and a hidden button takes no click: the command goes straight in.
            Ui().Command(IDC_ABORT);
            m_job->WaitForJobEnd();
        }
        RemoveTrayIcon(Ui().Window(), TRAY_ICON_ID);
        m_job.reset();
        DeleteSettingsKey();
    }

    DialogHarness& Ui() { return m_job->Ui(); }
    TestReelsiftDlg& Dialog() { return m_job->Dialog(); }
    StandinFolder& Folder() { return m_job->Folder(); }
    bool DialogVisible() { return ::IsWindowVisible(Ui().Window()) != FALSE; }

    // A job that runs until it is aborted, so that "Notify when finished" is on offer.
    void StartLongJob() {
        m_job->Start(kLongJob);
        ASSERT_TRUE(DialogHarness::WaitFor([&] { return Ui().Visible(IDC_NOTIFY); }, 15000));
    }

    // What the shell reports for the icon: a click, the menu, a balloon click.
    LRESULT TrayEvent(UINT event, UINT id = TRAY_ICON_ID) {
        DWORD_PTR result = 0;
        // A menu that came up would block a plain send until it closes.
        EXPECT_NE(::SendMessageTimeoutW(Ui().Window(), WM_TRAY_NOTIFY, id, event, SMTO_NORMAL, 3000, &result), 0)
            << "the event handler did not return";
        return static_cast<LRESULT>(result);
    }

    HWND OpenTrayMenu() { return OpenIconMenu(Ui().Window(), WM_TRAY_NOTIFY, TRAY_ICON_ID); }

    // Stands in for the output folder: a program that records each time it is opened.
    void PutOpenerIntoFolderBox() {
        const std::wstring opener = Folder().FilePath(L"opener.exe");
        ASSERT_TRUE(::CopyFileW(Folder().FilePath(L"youtube-dl.exe").c_str(), opener.c_str(), FALSE));
        Ui().SetText(IDC_OUTPUT_FOLDER, opener);
    }
    size_t TimesOpened() {
        const std::vector<std::wstring> lines = Folder().RecordedCommandLines();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [](const std::wstring& line) {
            return line.find(L"opener.exe") != std::wstring::npos;
        }));
    }

    std::optional<JobSession> m_job;
};

TEST_F(TrayIconTest, NotifyAddsTheIconOnceAndHidesTheDialog) {
    StartLongJob();
    const int iconsBefore = TrayIconCount();
    ASSERT_EQ(Dialog().m_nid.uID, 0u);

    Ui().Click(IDC_NOTIFY);
    EXPECT_FALSE(DialogVisible());
    EXPECT_TRUE(TrayIconExists(Ui().Window(), TRAY_ICON_ID));
    EXPECT_EQ(TrayIconCount(), iconsBefore + 1);
    const NOTIFYICONDATAW& record = Dialog().m_nid;
    // The size Windows knows for a record with balloons and no GUID, which differs with the pointer size: an
    // unknown size is refused by Windows (Wine takes any).
    EXPECT_EQ(record.cbSize, sizeof(void*) == 8 ? 952u : 936u);
    EXPECT_EQ(record.hWnd, Ui().Window());
    EXPECT_EQ(record.uID, TRAY_ICON_ID);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_EQ(record.uCallbackMessage, static_cast<UINT>(WM_APP));
    EXPECT_NE(record.hIcon, nullptr);
    EXPECT_STREQ(record.szTip, L"Reelsift");
    EXPECT_STREQ(record.szInfo, L"");
    EXPECT_EQ(record.dwInfoFlags, 0u);

    // Shown again from the icon, a second press only hides it: still one icon.
    TrayEvent(WM_LBUTTONUP);
    ASSERT_TRUE(DialogVisible());
    Ui().Click(IDC_NOTIFY);
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(TrayIconCount(), iconsBefore + 1);
    EXPECT_TRUE(TrayIconExists(Ui().Window(), TRAY_ICON_ID));
}

TEST_F(TrayIconTest, LeftClickTogglesTheDialogAndBringsItBackRestored) {
    ASSERT_TRUE(DialogVisible());
    TrayEvent(WM_LBUTTONUP);
    EXPECT_FALSE(DialogVisible());
    TrayEvent(WM_LBUTTONUP);
    EXPECT_TRUE(DialogVisible());
    EXPECT_FALSE(::IsIconic(Ui().Window()));

    // Minimised but visible: the click hides it, the next one brings it back restored.
    ::ShowWindow(Ui().Window(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(Ui().Window()));
    TrayEvent(WM_LBUTTONUP);
    EXPECT_FALSE(DialogVisible());
    TrayEvent(WM_LBUTTONUP);
    EXPECT_TRUE(DialogVisible());
    EXPECT_FALSE(::IsIconic(Ui().Window()));
}

TEST_F(TrayIconTest, EventsForAnotherIconAreIgnored) {
    PutOpenerIntoFolderBox();
    Folder().WriteScript("exit 0\n");
    for (const UINT event :
         {static_cast<UINT>(WM_LBUTTONUP), static_cast<UINT>(WM_RBUTTONUP), static_cast<UINT>(NIN_BALLOONUSERCLICK)}) {
        SCOPED_TRACE(event);
        EXPECT_EQ(TrayEvent(event, TRAY_ICON_ID + 1), 0);
        EXPECT_TRUE(DialogVisible());
        EXPECT_EQ(WaitForPopupMenu(::GetCurrentProcessId(), 300), nullptr);
    }
    DialogHarness::Pause(500);
    EXPECT_EQ(TimesOpened(), 0u);

    // The same balloon click for our own icon does open it: the opener is a fair witness.
    TrayEvent(NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return TimesOpened() == 1; }, 15000));
}

TEST_F(TrayIconTest, MenuHidesAndShowsTheDialogAndCanBeDismissed) {
    HWND menu = OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(PopupMenuItems(menu), (std::vector<std::wstring>{L"Hide", L"Exit"}));
    DismissPopupMenu(menu);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !::IsWindowVisible(menu); }, 15000));
    DialogHarness::Pause(200);
    EXPECT_TRUE(DialogVisible());

    menu = OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    ChoosePopupMenuItem(menu, 0);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !DialogVisible(); }, 15000));
    EXPECT_TRUE(::IsIconic(Ui().Window())) << "the menu minimises before it hides";

    menu = OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(PopupMenuItems(menu), (std::vector<std::wstring>{L"Show", L"Exit"}));
    ChoosePopupMenuItem(menu, 0);
    // Shown first, restored after: both are waited for.
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return DialogVisible() && !::IsIconic(Ui().Window()); }, 15000));
}

TEST_F(TrayIconTest, BalloonNeedsTheIconAndACompleteItemAlsoAfterAbort) {
    const NOTIFYICONDATAW& record = Dialog().m_nid;

    // A complete item but no icon: no balloon, and no icon either.
    m_job->Start(kItemCompletes);
    ASSERT_TRUE(m_job->WaitForJobEnd());
    EXPECT_EQ(record.uID, 0u);
    EXPECT_FALSE(TrayIconExists(Ui().Window(), TRAY_ICON_ID));

    // The icon, but no complete item.
    m_job->Start(kItemStopsShort + "sleep 1500\n");
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return Ui().Visible(IDC_NOTIFY); }, 15000));
    Ui().Click(IDC_NOTIFY);
    ASSERT_EQ(record.uID, TRAY_ICON_ID);
    ASSERT_TRUE(m_job->WaitForJobEnd());
    EXPECT_STREQ(record.szInfo, L"");
    EXPECT_EQ(record.dwInfoFlags, 0u);

    // The icon and a complete item: the balloon, and the shell shows it.
    m_job->Start(kItemCompletes);
    ASSERT_TRUE(m_job->WaitForJobEnd());
    EXPECT_STREQ(record.szInfoTitle, L"Reelsift");
    EXPECT_STREQ(record.szInfo, L"Ready! All files was processed!");
    EXPECT_EQ(record.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_TRUE(DialogHarness::WaitFor([] { return TrayBalloonVisible(); }, 15000));

    // A complete item, then Abort: the balloon all the same.
    Ui().RunOnDialogThread([&] { Dialog().m_nid.szInfo[0] = L'\0'; });
    m_job->Start(kItemCompletes + "sleep 30000\n");
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return Ui().Title() == L"Download 100%"; }, 15000));
    DialogHarness::Pause(1500);  // the runner rests a second after a complete item
    TrayEvent(WM_LBUTTONUP);     // the user brings the dialog back to reach Abort
    ASSERT_TRUE(DialogVisible());
    Ui().Click(IDC_ABORT);
    ASSERT_TRUE(m_job->WaitForJobEnd());
    EXPECT_STREQ(record.szInfo, L"Ready! All files was processed!");
}

TEST_F(TrayIconTest, BalloonClickOpensTheFolderAtOnceAndStopsTheAutoOpen) {
    Ui().Click(IDC_AUTO_OPEN);
    ASSERT_TRUE(Ui().Checked(IDC_AUTO_OPEN));
    PutOpenerIntoFolderBox();
    m_job->Start(kItemCompletes + "sleep 1000\n");
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return Ui().Visible(IDC_NOTIFY); }, 15000));
    Ui().Click(IDC_NOTIFY);
    ASSERT_TRUE(m_job->WaitForJobEnd());
    Folder().WriteScript("exit 0\n");
    ASSERT_EQ(TimesOpened(), 0u);

    TrayEvent(NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return TimesOpened() == 1; }, 15000));
    // The auto-open timer is gone: there is nothing left to stop.
    BOOL timerWasRunning = TRUE;
    Ui().RunOnDialogThread([&] { timerWasRunning = ::KillTimer(Ui().Window(), TIMER_AUTO_OPEN); });
    EXPECT_FALSE(timerWasRunning);
    DialogHarness::Pause(500);
    EXPECT_EQ(TimesOpened(), 1u);
}

TEST_F(TrayIconTest, ARefusedIconLeavesTheDialogOnScreen) {
    StartLongJob();
    {
        StandInTrayShell refusingShell(FALSE);
        ASSERT_EQ(::FindWindowW(L"Shell_TrayWnd", nullptr), refusingShell.Window());
        Ui().Click(IDC_NOTIFY);
        ASSERT_EQ(refusingShell.Requests().size(), 1u);
        EXPECT_EQ(refusingShell.Requests()[0].message, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(refusingShell.Requests()[0].window, Ui().Window());
        EXPECT_TRUE(DialogVisible()) << "hidden with no icon to bring it back";
        EXPECT_NE(Dialog().m_nid.uID, TRAY_ICON_ID);
    }
    // Once the shell takes it, the next press adds the icon and hides the dialog.
    Ui().Click(IDC_NOTIFY);
    EXPECT_TRUE(TrayIconExists(Ui().Window(), TRAY_ICON_ID));
    EXPECT_FALSE(DialogVisible());
}

TEST_F(TrayIconTest, ARestartedShellGetsTheIconAgain) {
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    {
        StandInTrayShell restartedShell(TRUE);
        ::SendMessageW(Ui().Window(), taskbarCreated, 0, 0);
        EXPECT_TRUE(restartedShell.Requests().empty()) << "an icon that never was came back";
    }
    StartLongJob();
    Ui().Click(IDC_NOTIFY);
    ASSERT_TRUE(TrayIconExists(Ui().Window(), TRAY_ICON_ID));

    StandInTrayShell restartedShell(TRUE);
    ::SendMessageW(Ui().Window(), taskbarCreated, 0, 0);
    ASSERT_EQ(restartedShell.Requests().size(), 1u);
    EXPECT_EQ(restartedShell.Requests()[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(restartedShell.Requests()[0].window, Ui().Window());
}

// ---- "Exit" on the real program ----------------------------------------------------------------------------

class TrayExitTest : public FreshAccountTest {};

TEST_F(TrayExitTest, ExitFromTheMenuClosesTheHiddenProgramDuringAJob) {
    StandinFolder folder;
    folder.WriteScript("exit 0\n");  // the program takes the script's path along; the self-update ends at once
    ProgramRun run(folder);
    const DialogWindow& ui = run.Ui();
    ASSERT_NE(ui.Window(), nullptr);
    ASSERT_TRUE(WaitForSelfUpdate(folder));
    folder.RewriteScript(kLongJob);
    const int iconsBefore = TrayIconCount();

    // A job, started once the start-up show allows it.
    ui.SetText(IDC_URL, kJobLink);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD); }, 15000));
    ui.ClickLater(IDC_DOWNLOAD);
    const std::vector<DWORD> downloader = WaitForChildProcesses(run.ProcessId(), L"youtube-dl.exe", 15000);
    ASSERT_FALSE(downloader.empty());
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Title().rfind(L"Download ", 0) == 0; }, 15000))
        << "the job did not get going";
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Visible(IDC_NOTIFY); }, 15000));
    ui.ClickLater(IDC_NOTIFY);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !::IsWindowVisible(ui.Window()); }, 15000));
    EXPECT_EQ(TrayIconCount(), iconsBefore + 1);

    HWND menu = OpenIconMenu(ui.Window(), WM_TRAY_NOTIFY, TRAY_ICON_ID);
    ASSERT_NE(menu, nullptr);
    ChoosePopupMenuItem(menu, 1);
    EXPECT_EQ(run.WaitForExit(10000), 0u);

    // The whole close ran: settings saved, the downloader ended, the icon taken away.
    EXPECT_NE(ReadSetting(L"LastWindowPos"), L"<missing>");
    EXPECT_EQ(ReadSetting(L"check_auto_paste"), L"false");
    for (DWORD id : downloader) {
        const Process process = Process::Open(id);
        if (!process.IsOpen()) continue;  // gone already
        EXPECT_TRUE(process.EndsWithin(10000)) << "the downloader outlived the program";
    }
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return TrayIconCount() == iconsBefore; }, 15000));
}

}  // namespace
