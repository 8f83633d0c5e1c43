// The Download button: the link check with its message, the busy state of a job, and the command line the
// downloader really receives for inputs that try to break out of their arguments.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"
#include "support/job_state_snapshot.h"
#include "support/standin_folder.h"

namespace {

// What the Download button may change, read off the real controls and the job state.
auto JobSnapshot(DialogHarness& ui) {
    return std::tuple(JobStateSnapshot(ui), ui.Text(IDC_URL), ui.Title(), ui.Dialog().m_bRunning.load(),
                      ui.Dialog().m_strCommandLine.str());
}

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> split(arguments, arguments + count);
    ::LocalFree(arguments);
    return split;
}

std::vector<std::wstring> Joined(std::vector<std::wstring> first, const std::vector<std::wstring>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

class DownloadButtonTest : public FreshAccountTest {};

TEST_F(DownloadButtonTest, AnEmptyOrRejectedLinkOnlyBringsTheMessage) {
    DialogHarness ui;
    for (const wchar_t* link : {L"", L"video", L"media.example.net/watch?v=Ab3dE5fG7h",
                                L"https://media.example.net/watch?v=Ab3 dE5", L"https://media.example.net/\r\nwatch"}) {
        SCOPED_TRACE(link);
        ui.SetText(IDC_URL, link);
        const auto before = JobSnapshot(ui);

        ui.ClickLater(IDC_DOWNLOAD);
        const HWND message = ui.WaitForPopup(15000);
        ASSERT_NE(message, nullptr);
        wchar_t text[128] = L"";
        ::GetDlgItemTextW(message, 0xFFFF, text, 128);
        EXPECT_STREQ(text, L"Please paste the correct link...");
        EXPECT_GT(::GetWindowTextLengthW(message), 0);  // a caption
        EXPECT_EQ(::GetDlgItem(message, IDCANCEL), nullptr);

        ::PostMessageW(::GetDlgItem(message, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(DialogHarness::WaitFor([&] { return !::IsWindow(message); }, 15000));
        ::SendMessageW(ui.Window(), WM_NULL, 0, 0);  // the handler has returned
        EXPECT_EQ(JobSnapshot(ui), before);
    }
}

TEST_F(DownloadButtonTest, AValidLinkPutsTheDialogInTheBusyStateUntilTheJobEnds) {
    const std::wstring link = L"https://media.example.net/watch?v=Ab3dE5fG7h";
    DialogHarness ui;
    StandinFolder standin;
    standin.WriteScript("out [download] Destination: clip.webm\\n\nsleep 30000\n");
    ui.SetText(IDC_URL, link);

    ui.Click(IDC_DOWNLOAD);
    ExpectJobState(ui, JobState::Running);
    EXPECT_TRUE(ui.Dialog().m_bRunning);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return standin.RecordedCommandLines().size() == 1; }, 15000));

    // The hidden auto-paste box still answers its label, and switching it off still empties the link box.
    ui.Click(IDC_AUTO_PASTE_LABEL);
    EXPECT_TRUE(ui.Checked(IDC_AUTO_PASTE));
    EXPECT_EQ(ui.Text(IDC_URL), link);
    ui.Click(IDC_AUTO_PASTE_LABEL);
    EXPECT_FALSE(ui.Checked(IDC_AUTO_PASTE));
    EXPECT_EQ(ui.Text(IDC_URL), L"");

    ui.Click(IDC_ABORT);
    ASSERT_TRUE(ui.WaitUntilJobWorkerEnds(10000));
    ExpectJobState(ui, JobState::Idle);
}

TEST_F(DownloadButtonTest, HostileInputsReachTheDownloaderAsExactlyTheIntendedArguments) {
    const TempFolder output(L"my downloads ");  // a name with blanks, taken through the folder box
    DialogHarness ui;
    StandinFolder standin;  // after the start: the self-update run stays out of the record
    ui.TypeAndLeave(IDC_OUTPUT_FOLDER, output.Path());
    ASSERT_EQ(ui.Dialog().GetOutputFolder().str(), output.Path());

    const std::wstring outputPath = output.Path() + L"\\%(title)s.%(ext)s";
    auto tail = [&](const std::wstring& link) {
        return std::vector<std::wstring>{L"--ffmpeg-location", L"ffmpeg", L"--ignore-errors", L"-o", outputPath, link};
    };
    size_t jobs = 0;
    auto received = [&] {
        ++jobs;
        EXPECT_TRUE(DialogHarness::WaitFor([&] { return standin.RecordedCommandLines().size() >= jobs; }, 15000));
        EXPECT_TRUE(ui.WaitUntilJobWorkerEnds(10000));
        const std::vector<std::wstring> lines = standin.RecordedCommandLines();
        return lines.size() >= jobs ? SplitCommandLine(lines[jobs - 1]) : std::vector<std::wstring>{};
    };

    for (const std::wstring link : {L"https://media.example.net/watch?v=Ab3\"--exec=calc.exe",
                                    L"https://media.example.net/files\\", L"https://media.example.net/a\\\"b\\\\"}) {
        SCOPED_TRACE(link);
        ui.SetText(IDC_URL, link);
        ui.Click(IDC_DOWNLOAD);
        EXPECT_EQ(received(), Joined({L"youtube-dl.exe"}, tail(link)));
    }

    // Filter values typed and sent with Enter are not cleaned: they arrive as typed, as one argument each.
    const std::wstring playlist = L"https://media.example.net/playlist?list=PLx1";
    ui.SetText(IDC_URL, playlist);
    ui.Click(IDC_FILTER);
    struct FilterCase {
        int kind;
        const wchar_t* typed;
        const wchar_t* flag;
    };
    for (const FilterCase& c :
         {FilterCase{1, L"x\" --exec \"calc", L"--match-title"}, FilterCase{0, L"1, 2, 5", L"--playlist-items"},
          FilterCase{2, L"ends in \\", L"--reject-title"}}) {
        SCOPED_TRACE(c.typed);
        ui.Select(IDC_FILTER_KIND, c.kind);
        ui.SetText(IDC_FILTER_VALUE, c.typed);
        ASSERT_EQ(ui.FocusedControl(), ui.Control(IDC_FILTER_VALUE));
        ui.PressKey(VK_RETURN);
        EXPECT_EQ(received(), Joined({L"youtube-dl.exe", c.flag, c.typed}, tail(playlist)));
        EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), c.typed);
    }
}

}  // namespace
