// Where the downloader cannot be put into a job of ours (Windows 7 refuses to nest jobs, and Reelsift may itself
// run inside one): Abort and closing still end the downloader and everything it started, and nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "download/ToolProcess.h"
#include "res/resource.h"
#include "support/e2e_desktop.h"
#include "support/fresh_account_test.h"
#include "support/job_session.h"
#include "support/program_run.h"
#include "support/tool_output.h"

namespace {

// The converter outlasts every wait of these tests: only being ended stops it in time.
const char kConverterThenSilence[] = "spawn ffmpeg.exe 60000\nout spawned\nsleep 60000\n";

class WithoutJobTest : public FreshAccountTest {
protected:
    void SetUp() override {
        FreshAccountTest::SetUp();
        ToolProcess::RefuseJobsForTesting(true);
    }
    void TearDown() override {
        ToolProcess::RefuseJobsForTesting(false);
        FreshAccountTest::TearDown();
    }
};

// The one converter the script's stand-in started, with its downloader.
ConverterAndItsDownloader SpawnedBy(const StandinFolder::Script& script) {
    const std::vector<DWORD> spawned = StandinFolder::SpawnedProcessIds(script);
    return ConverterAndItsDownloader(spawned.size() == 1 ? spawned[0] : 0);
}

TEST_F(WithoutJobTest, TerminateEndsTheToolsWholeTreeAndKillingConvertersEndsOnlyTheRunsOwn) {
    StandinFolder folder;
    const Process outsider = folder.StartUnrelatedFfmpeg();
    ToolProcess mine;
    const StandinFolder::Script myScript = folder.WriteScript(kConverterThenSilence);
    ASSERT_TRUE(mine.Start(L"youtube-dl.exe"));
    ToolProcess other;
    const StandinFolder::Script otherScript = folder.WriteScript(kConverterThenSilence);
    ASSERT_TRUE(other.Start(L"youtube-dl.exe"));
    ASSERT_TRUE(ReadToolUntil(mine, "spawned"));
    ASSERT_TRUE(ReadToolUntil(other, "spawned"));
    const ConverterAndItsDownloader myTree = SpawnedBy(myScript);
    const ConverterAndItsDownloader otherTree = SpawnedBy(otherScript);
    ASSERT_TRUE(myTree.IsOpen());
    ASSERT_TRUE(otherTree.IsOpen());

    mine.KillFfmpegProcesses();
    EXPECT_TRUE(myTree.converter.EndsWithin(10000));
    EXPECT_FALSE(myTree.downloader.EndsWithin(300)) << "only converters";
    EXPECT_FALSE(otherTree.converter.EndsWithin(0)) << "a converter of another run";
    EXPECT_FALSE(outsider.EndsWithin(0)) << "a converter of another program";

    other.Terminate();
    EXPECT_TRUE(otherTree.downloader.EndsWithin(10000));
    ASSERT_TRUE(otherTree.converter.EndsWithin(10000)) << "the converter holds the pipe";
    ReadToolToEnd(other);
    EXPECT_FALSE(outsider.EndsWithin(0));
    mine.Terminate();
}

TEST_F(WithoutJobTest, AbortDuringAConversionEndsTheDownloaderAndItsConverterAndTheJobAtOnce) {
    JobSession job;
    const Process outsider = job.Folder().StartUnrelatedFfmpeg();
    const StandinFolder::Script script =
        job.Start("spawn ffmpeg.exe 60000\n" + OutCommand("[ffmpeg] Destination: Clip.mp3\n") + "sleep 60000\n");
    ASSERT_TRUE(job.WaitForView([](const JobView& v) { return v.title == L"Converting..."; }, 15000));
    const ConverterAndItsDownloader tree = SpawnedBy(script);
    ASSERT_TRUE(tree.IsOpen());

    job.Ui().Click(IDC_ABORT);
    EXPECT_TRUE(job.WaitUntilWorkerEnds(15000)) << "the job still waits for the conversion";
    EXPECT_TRUE(tree.converter.EndsWithin(10000));
    EXPECT_TRUE(tree.downloader.EndsWithin(10000));
    EXPECT_FALSE(outsider.EndsWithin(200)) << "a converter of another program";
}

TEST_F(WithoutJobTest, AbortEndsATreeThreeLevelsDeepAndTheJobAtOnce) {
    JobSession job;
    StandinFolder& folder = job.Folder();
    const Process outsider = folder.StartUnrelatedFfmpeg();
    // Between the downloader and the converter, a launcher: the stand-in again, with a script and a record of its own.
    folder.AddProgram(L"launcher.exe", "tests/fakes/standin_downloader.exe");
    const std::wstring launcherScript = folder.FilePath(L"launcher-script.txt");
    const StandinFolder::Script launcherSpawns{folder.FilePath(L"launcher-spawned.txt")};
    ASSERT_TRUE(WriteFileBytes(launcherScript, "spawn ffmpeg.exe 60000\nsleep 60000\n"));
    const std::string startLauncher = "env REELSIFT_STANDIN_SCRIPT=" + Utf8(launcherScript) + "\n" +
                                      "env REELSIFT_STANDIN_PIDS=" + Utf8(launcherSpawns.spawnRecord) + "\n" +
                                      "spawn launcher.exe\n";
    const StandinFolder::Script script =
        job.Start(startLauncher + OutCommand("[ffmpeg] Destination: Clip.mp3\n") + "sleep 60000\n");
    ASSERT_TRUE(job.WaitForView([](const JobView& v) { return v.title == L"Converting..."; }, 15000));
    ASSERT_TRUE(
        DialogHarness::WaitFor([&] { return StandinFolder::SpawnedProcessIds(launcherSpawns).size() == 1; }, 15000));
    const ConverterAndItsDownloader launcherAndDownloader = SpawnedBy(script);
    const ConverterAndItsDownloader converterAndLauncher = SpawnedBy(launcherSpawns);
    ASSERT_TRUE(launcherAndDownloader.IsOpen());
    ASSERT_TRUE(converterAndLauncher.IsOpen());

    job.Ui().Click(IDC_ABORT);
    EXPECT_TRUE(job.WaitUntilWorkerEnds(15000)) << "the job still waits for the converter";
    EXPECT_TRUE(launcherAndDownloader.downloader.EndsWithin(10000));
    EXPECT_TRUE(launcherAndDownloader.converter.EndsWithin(10000)) << "the launcher";
    EXPECT_TRUE(converterAndLauncher.converter.EndsWithin(10000)) << "the converter the launcher started";
    EXPECT_FALSE(outsider.EndsWithin(200)) << "a converter of another program";
}

TEST_F(WithoutJobTest, ClosingDuringAConversionEndsTheDownloaderAndItsConverterButNoOneElses) {
    StandinFolder folder;
    // The program's start-up update plays this script too: a tree of the program's that is not the job's.
    const StandinFolder::Script script =
        folder.WriteScript("spawn ffmpeg.exe 60000\nout [ffmpeg] Converting\\n\nsleep 60000\n");
    const Process outsider = folder.StartUnrelatedFfmpeg();

    ProgramRun run(folder, L"Reelsift.exe", kBuiltProgramWithoutJobs);
    const DialogWindow& ui = run.Ui();
    ASSERT_NE(ui.Window(), nullptr);
    const std::vector<DWORD> converters = StartJobAfterTheUpdatesConverter(run, script);
    ASSERT_GE(converters.size(), 2u);
    const ConverterAndItsDownloader update(converters[0]);
    const ConverterAndItsDownloader job(converters[1]);
    ASSERT_TRUE(update.IsOpen());
    ASSERT_TRUE(job.IsOpen());
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Title() == L"Converting..."; }, 15000));

    ui.Close();
    EXPECT_EQ(run.WaitForExit(10000), 0u);
    EXPECT_TRUE(job.converter.EndsWithin(10000));
    EXPECT_TRUE(job.downloader.EndsWithin(10000));
    EXPECT_FALSE(outsider.EndsWithin(200));
    EXPECT_FALSE(update.converter.EndsWithin(0)) << "the converter of the program's update";
}

}  // namespace
