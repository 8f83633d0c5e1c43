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

TEST_F(JobLifetimeTest, JobsLeaveTheHandleCountWhereItWas) {
    JobSession session;
    auto runJob = [&] {
        session.Start(OutCommand("[download] 12.0% of 1.00MiB\r") + "\nexit 0\n");
        return session.WaitUntilWorkerEnds(10000) &&
               DialogHarness::WaitFor([&] { return session.Ui().Enabled(IDC_DOWNLOAD); }, 5000);
    };
    // The first jobs create what lives for the whole run (COM on the worker, the taskbar object's classes).
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(runJob());
    // Without a leak the count stays near where it was: Wine's pool threads come and go, three handles each, and
    // it was seen from 9 below to 1 above. Only a rise is a leak: a handle left behind by each job adds 25, far
    // beyond the 8 allowed.
    const int before = OpenHandleCount();
    for (int i = 0; i < 25; ++i) ASSERT_TRUE(runJob()) << "job " << i;
    EXPECT_LE(OpenHandleCount(), before + 8);
}

TEST_F(JobLifetimeTest, ClosingDuringAJobEndsItsConverterButNoOneElses) {
    StandinFolder folder;
    // The program's start-up update plays this script too, outside any job: its converter is someone else's.
    const StandinFolder::Script script =
        folder.WriteScript("spawn ffmpeg.exe 60000\nout [ffmpeg] Converting\\n\nsleep 60000\n");
    Process unrelated = folder.StartUnrelatedFfmpeg();
    ASSERT_TRUE(unrelated.IsOpen());

    ProgramRun run(folder);
    ASSERT_NE(run.Ui().Window(), nullptr);
    const std::vector<DWORD> converters = StartJobAfterTheUpdatesConverter(run, script);
    ASSERT_GE(converters.size(), 2u);
    // The update's downloader is watched too, so that it does not sleep on after the test.
    const ConverterAndItsDownloader update(converters[0]);
    Process jobConverter = Process::Open(converters[1]);
    ASSERT_TRUE(jobConverter.IsOpen());

    run.Ui().Close();
    EXPECT_EQ(run.WaitForExit(10000), 0u);
    EXPECT_TRUE(jobConverter.EndsWithin(2000));
    EXPECT_FALSE(unrelated.EndsWithin(500));
    EXPECT_FALSE(update.converter.EndsWithin(100));
}

}  // namespace
