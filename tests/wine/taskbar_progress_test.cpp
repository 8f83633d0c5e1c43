// Progress on the dialog's taskbar button as a user sees it during and after a job, with a recording stand-in
// for the shell's taskbar object.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "support/fresh_account_test.h"
#include "support/job_session.h"
#include "support/taskbar_recorder.h"

namespace {

class TaskbarProgressTest : public FreshAccountTest {};

std::vector<std::wstring> WhatWasShown(const RecordingTaskbarList& taskbar) {
    std::vector<std::wstring> shown;
    for (const RecordingTaskbarList::Call& call : taskbar.Calls()) shown.push_back(call.what);
    return shown;
}

// The taskbar object lives in the dialog's apartment: made, called and released on the dialog's thread only.
void ExpectUsedOnlyByTheDialog(const RecordingTaskbarList& taskbar, HWND dialog) {
    const DWORD dialogThread = ::GetWindowThreadProcessId(dialog, nullptr);
    for (const RecordingTaskbarList::Call& call : taskbar.Calls()) {
        EXPECT_EQ(call.threadId, dialogThread) << testing::PrintToString(call.what);
        EXPECT_EQ(call.window, dialog) << testing::PrintToString(call.what);
    }
    for (DWORD thread : taskbar.ReferenceThreads()) EXPECT_EQ(thread, dialogThread) << "AddRef or Release";
}

TEST_F(TaskbarProgressTest, TheButtonFollowsARecordedRunAndIsFullAndPausedAfterEachJob) {
    std::deque<RecordingTaskbarList> taskbars;  // one a job; declared first, so they outlive the dialog
    JobSession job;
    job.Ui().RunOnDialogThread(
        [&] { job.Dialog().makeTaskbarList = [&]() -> ITaskbarList3* { return &taskbars.emplace_back(); }; });

    // A progress chunk of our own, a recorded run of the real downloader, and a conversion. Pauses keep the chunks
    // of our own apart from the recording's: what one read takes in is one chunk, and its progress hides a conversion.
    job.Start(OutCommand("\r[download]  42.7% of 2.92MiB at  1.00MiB/s ETA 00:02") + "sleep 1000\n" + "replay " +
              DownloaderFixtureFolder("extract-audio-mp3") + " 4\n" + "sleep 1000\n" +
              OutCommand("[ffmpeg] Destination: Clip.mp3\n") + "sleep 1000\n");
    ASSERT_TRUE(job.WaitUntilWorkerEnds(30000));
    ASSERT_EQ(taskbars.size(), 1u);
    const std::vector<std::wstring> shown = WhatWasShown(taskbars[0]);
    ASSERT_GE(shown.size(), 4u) << testing::PrintToString(shown);
    EXPECT_EQ(shown.front(), L"state indeterminate") << "while the job gets going";
    const auto fortyTwo = std::find(shown.begin(), shown.end() - 2, L"value 420/1000");
    ASSERT_NE(fortyTwo, shown.end() - 2) << "42.7% shows in whole percents " << testing::PrintToString(shown);
    EXPECT_NE(std::find(fortyTwo, shown.end() - 2, L"state indeterminate"), shown.end() - 2)
        << "converting after the download " << testing::PrintToString(shown);
    EXPECT_EQ(std::vector<std::wstring>(shown.end() - 2, shown.end()),
              (std::vector<std::wstring>{L"value 1000/1000", L"state paused"}))
        << "the idle dialog's button";
    ExpectUsedOnlyByTheDialog(taskbars[0], job.Ui().Window());

    // The next job gets an object of its own; the first one is given back on the dialog's thread.
    job.Start(OutCommand("\r[download]  12.0% of 1.00MiB") + "sleep 300\n");
    ASSERT_TRUE(job.WaitUntilWorkerEnds(30000));
    ASSERT_EQ(taskbars.size(), 2u);
    EXPECT_EQ(taskbars[0].References(), 0u);
    ExpectUsedOnlyByTheDialog(taskbars[0], job.Ui().Window());
    EXPECT_EQ(WhatWasShown(taskbars[1]), (std::vector<std::wstring>{L"state indeterminate", L"value 120/1000",
                                                                    L"value 1000/1000", L"state paused"}));
    ExpectUsedOnlyByTheDialog(taskbars[1], job.Ui().Window());
}

}  // namespace
