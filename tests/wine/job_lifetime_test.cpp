// What jobs leave behind: nothing that accumulates over many jobs, and nothing of anyone else's when the
// program closes.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/resource.h"
#include "support/fresh_account_test.h"
#include "support/job_session.h"
#include "support/program_run.h"

namespace {

class JobLifetimeTest : public FreshAccountTest {};

TEST_F(JobLifetimeTest, TwoHundredJobsLeaveTheHandleCountWhereItWas) {
    JobSession session;
    auto runJob = [&] {
        session.Start(OutCommand("[download] 12.0% of 1.00MiB\r") + "\nexit 0\n");
        return session.WaitUntilWorkerEnds(10000) &&
               DialogHarness::WaitFor([&] { return session.Ui().Enabled(IDC_DOWNLOAD); }, 5000);
    };
    // The first jobs create what lives for the whole run (COM on the worker, the taskbar object's classes).
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(runJob());
    const int before = OpenHandleCount();
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(runJob()) << "job " << i;
    EXPECT_NEAR(OpenHandleCount(), before, 8);
}

TEST_F(JobLifetimeTest, ClosingDuringAJobEndsItsConverterButNoOneElses) {
    StandinFolder folder;
    const std::wstring program = folder.FilePath(L"Reelsift.exe");
    ASSERT_TRUE(::CopyFileW(BuiltProgramPath().c_str(), program.c_str(), FALSE));
    // The program's start-up update plays this script too, outside any job: its converter is someone else's.
    const StandinFolder::Script script =
        folder.WriteScript("spawn ffmpeg.exe 60000\nout [ffmpeg] Converting\\n\nsleep 60000\n");
    WatchedProcess unrelated = folder.StartUnrelatedFfmpeg();
    ASSERT_TRUE(unrelated.IsOpen());

    ProgramRun run(program, folder.Path());
    ASSERT_NE(run.Dialog(), nullptr);
    // The update's converter first, so that the order of the record tells the two apart.
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !StandinFolder::SpawnedProcessIds(script).empty(); }, 15000));
    ASSERT_TRUE(
        DialogHarness::WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(run.Dialog(), IDC_DOWNLOAD)); }, 15000));
    ::SendMessageW(::GetDlgItem(run.Dialog(), IDC_URL), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(L"https://media.example.net/watch?v=Ab3dE5fG7h"));
    ::PostMessageW(run.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_DOWNLOAD, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(run.Dialog(), IDC_DOWNLOAD)));
    std::vector<DWORD> spawned;
    ASSERT_TRUE(DialogHarness::WaitFor(
        [&] {
            spawned = StandinFolder::SpawnedProcessIds(script);
            return spawned.size() >= 2;
        },
        15000));
    WatchedProcess updateConverter = WatchedProcess::Open(spawned[0]);
    WatchedProcess jobConverter = WatchedProcess::Open(spawned[1]);
    ASSERT_TRUE(jobConverter.IsOpen());

    ::PostMessageW(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(10000), 0u);
    EXPECT_TRUE(jobConverter.EndsWithin(2000));
    EXPECT_FALSE(unrelated.EndsWithin(500));
    EXPECT_FALSE(updateConverter.EndsWithin(100));
}

}  // namespace
