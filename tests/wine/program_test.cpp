// The real program, started as a process: start-up without its companions, the message-box caption, the
// self-update, and closing.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/resource.h"
#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"
#include "support/program_run.h"
#include "support/standin_folder.h"

namespace {

class ProgramTest : public FreshAccountTest {};

bool DownloadEnabled(HWND dialog) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, IDC_DOWNLOAD)) != FALSE;
}

TEST_F(ProgramTest, StartsWithoutAnimationsOrDownloaderAndClosesWithExitCodeZero) {
    StandinFolder folder(StandinFolder::Downloader::Missing);  // no youtube-dl.exe, no gifs folder
    const std::wstring program = folder.FilePath(L"Reelsift.exe");
    ASSERT_TRUE(::CopyFileW(BuiltProgramPath().c_str(), program.c_str(), FALSE));
    ProgramRun run(program, folder.Path());
    ASSERT_NE(run.Dialog(), nullptr);

    // The start-up show ends and enables Download although nothing could be loaded or updated.
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return !DownloadEnabled(run.Dialog()); }, 3000));
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return DownloadEnabled(run.Dialog()); }, 15000));

    ::PostMessageW(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(10000), 0u);
    // Closing saved the settings, creating the key on this fresh account.
    EXPECT_EQ(ReadSetting(L"check_auto_paste"), L"false");
    EXPECT_NE(ReadSetting(L"LastWindowPos"), L"<missing>");
}

TEST_F(ProgramTest, MessageBoxCaptionIsTheExecutablesName) {
    StandinFolder folder(StandinFolder::Downloader::Missing);
    const std::wstring program = folder.FilePath(L"Renamed Tool.exe");
    ASSERT_TRUE(::CopyFileW(BuiltProgramPath().c_str(), program.c_str(), FALSE));
    ProgramRun run(program, folder.Path());
    ASSERT_NE(run.Dialog(), nullptr);

    // An empty link: the Download handler only complains.
    ::PostMessageW(run.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_DOWNLOAD, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(run.Dialog(), IDC_DOWNLOAD)));
    HWND box = run.FindOtherDialog(10000);
    ASSERT_NE(box, nullptr);
    wchar_t caption[128] = L"";
    ::GetWindowTextW(box, caption, 128);
    EXPECT_STREQ(caption, L"Renamed Tool");
    wchar_t text[256] = L"";
    ::GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"Please paste the correct link...");

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ::PostMessageW(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(10000), 0u);
}

TEST_F(ProgramTest, UpdatesTheDownloaderOnceAtStart) {
    StandinFolder folder;
    const std::wstring program = folder.FilePath(L"Reelsift.exe");
    ASSERT_TRUE(::CopyFileW(BuiltProgramPath().c_str(), program.c_str(), FALSE));
    ProgramRun run(program, folder.Path());
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !folder.RecordedCommandLines().empty(); }, 10000));
    ::Sleep(500);  // a second start would have come by now
    const auto lines = folder.RecordedCommandLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"youtube-dl.exe -U");
    ::PostMessageW(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(10000), 0u);
}

}  // namespace
