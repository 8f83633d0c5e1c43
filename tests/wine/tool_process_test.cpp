#include "download/ToolProcess.h"
#include "support/standin_folder.h"
#include "support/tool_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string Joined(const std::vector<std::string>& chunks) {
    std::string all;
    for (const std::string& chunk : chunks) all += chunk;
    return all;
}

const wchar_t* const kDownloader = L"youtube-dl.exe";
// The converter outlives a silent stretch of the tool's; both are long enough to fail a test, not hang it.
const char* const kConverterThenSilence = "spawn ffmpeg.exe 8000\nout spawned\nsleep 8000\n";

}  // namespace

TEST(ToolProcess, OutputAndErrorsArriveOnOnePipeInOrderWithTheirOwnChunkSizes) {
    StandinFolder folder;
    folder.WriteScript(
        "out [download] first\\n\nsleep 1000\nerr ERROR: second\\n\nsleep 1000\n"
        "out \\r[download]  42.7% of 2.92MiB\n");
    ToolProcess tool;
    ASSERT_TRUE(tool.Start(kDownloader));
    EXPECT_EQ(ReadToolToEnd(tool),
              (std::vector<std::string>{"[download] first\n", "ERROR: second\n", "\r[download]  42.7% of 2.92MiB"}));
}

TEST(ToolProcess, AWriteLongerThanOneReadArrivesWholeInPiecesOfAtMostTheCapacity) {
    std::string longLine;
    for (int i = 0; i < 3000; ++i) longLine += static_cast<char>('a' + i % 26);
    StandinFolder folder;
    folder.WriteScript("out " + longLine + "\n");
    ToolProcess tool;
    ASSERT_TRUE(tool.Start(kDownloader));
    const std::vector<std::string> chunks = ReadToolToEnd(tool);
    EXPECT_EQ(Joined(chunks), longLine);
    EXPECT_GE(chunks.size(), 3u);
    for (const std::string& chunk : chunks) EXPECT_LE(chunk.size(), kToolReadSize);
}

TEST(ToolProcess, RecordedRunsReplayByteForByte) {
    for (const char* name :
         {"extract-audio-mp3", "recode-mkv", "http-404", "embed-thumbnail-mp4", "non-ascii-title-cp1252"}) {
        SCOPED_TRACE(name);
        const std::string fixture = DownloaderFixtureFolder(name);
        StandinFolder folder;
        folder.WriteScript("replay " + fixture + " 20\n");
        ToolProcess tool;
        ASSERT_TRUE(tool.Start(kDownloader));
        const std::string expected = ReadFileBytes(Wide(fixture + "\\output.bin"));
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Joined(ReadToolToEnd(tool)), expected);
    }
}

TEST(ToolProcess, TheToolGetsExactlyItsCommandLineAndStartsHidden) {
    const std::wstring commandLine =
        L"youtube-dl.exe --ffmpeg-location ffmpeg -o \"C:\\My Files\\%(title)s.%(ext)s\" "
        L"\"https://media.example.net/watch?v=1&list=x\\\" --exec calc\" --match-title \"caf\u00e9 \u0416\"";
    StandinFolder folder;
    folder.WriteScript("startup\n");
    ToolProcess tool;
    ASSERT_TRUE(tool.Start(commandLine));
    EXPECT_EQ(Joined(ReadToolToEnd(tool)), "startup flags=0x101 show=0\n");
    EXPECT_EQ(folder.RecordedCommandLines(), std::vector<std::wstring>{commandLine});
}

TEST(ToolProcess, AMissingDownloaderDoesNotStartAndTheFirstReadFailsAtOnce) {
    StandinFolder folder(StandinFolder::Downloader::Missing);
    ToolProcess tool;
    EXPECT_FALSE(tool.Start(L"youtube-dl.exe --newline"));
    EXPECT_FALSE(tool.IsRunning());

    char buffer[kToolReadSize];
    unsigned long got = 7;
    const Clock::time_point before = Clock::now();
    EXPECT_FALSE(tool.Read(buffer, kToolReadSize, got));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_EQ(got, 0u);
}

TEST(ToolProcess, RunsFromStartToCloseAndCallsOutsideARunAreHarmless) {
    StandinFolder folder;
    folder.WriteScript("out done\n");
    ToolProcess tool;
    tool.Terminate();
    tool.KillFfmpegProcesses();
    EXPECT_FALSE(tool.IsRunning());

    ASSERT_TRUE(tool.Start(kDownloader));
    EXPECT_TRUE(tool.IsRunning());
    EXPECT_EQ(Joined(ReadToolToEnd(tool)), "done");
    EXPECT_TRUE(tool.IsRunning());  // until the clean-up
    tool.Close();
    EXPECT_FALSE(tool.IsRunning());

    tool.Terminate();
    tool.KillFfmpegProcesses();
    tool.Close();
    EXPECT_FALSE(tool.IsRunning());
}

TEST(ToolProcess, TerminateEndsAPendingReadDuringASilentStretch) {
    StandinFolder folder;
    folder.WriteScript("out started\nsleep 60000\n");
    ToolProcess tool;
    ASSERT_TRUE(tool.Start(kDownloader));
    ASSERT_TRUE(ReadToolUntil(tool, "started"));

    Clock::time_point terminatedAt;
    std::thread userInterface([&] {
        Sleep(200);
        terminatedAt = Clock::now();
        tool.Terminate();
    });
    char buffer[kToolReadSize];
    unsigned long got = 0;
    const bool read = tool.Read(buffer, kToolReadSize, got);
    const Clock::time_point returnedAt = Clock::now();
    userInterface.join();

    EXPECT_FALSE(read);
    EXPECT_LT(returnedAt - terminatedAt, std::chrono::milliseconds(4000));
}

TEST(ToolProcess, TerminateEndsTheConverterTheToolStartedToo) {
    StandinFolder folder;
    const StandinFolder::Script script = folder.WriteScript(kConverterThenSilence);
    ToolProcess tool;
    ASSERT_TRUE(tool.Start(kDownloader));
    ASSERT_TRUE(ReadToolUntil(tool, "spawned"));
    const std::vector<DWORD> spawned = StandinFolder::SpawnedProcessIds(script);
    ASSERT_EQ(spawned.size(), 1u);
    const Process converter = Process::Open(spawned[0]);
    ASSERT_TRUE(converter.IsOpen());
    ASSERT_FALSE(converter.EndsWithin(0));

    const Clock::time_point terminatedAt = Clock::now();
    tool.Terminate();
    // The converter holds the pipe's write end too: the pipe breaks only once it has gone.
    EXPECT_TRUE(ReadToolToEnd(tool).empty());
    EXPECT_LT(Clock::now() - terminatedAt, std::chrono::milliseconds(4000));
    EXPECT_TRUE(converter.EndsWithin(0));
}

TEST(ToolProcess, KillFfmpegProcessesEndsOnlyThisRunsConverter) {
    StandinFolder folder;
    const Process outsider = folder.StartUnrelatedFfmpeg();

    ToolProcess mine;
    const StandinFolder::Script myScript = folder.WriteScript(kConverterThenSilence);
    ASSERT_TRUE(mine.Start(kDownloader));
    ToolProcess other;
    const StandinFolder::Script otherScript = folder.WriteScript(kConverterThenSilence);
    ASSERT_TRUE(other.Start(kDownloader));
    ASSERT_TRUE(ReadToolUntil(mine, "spawned"));
    ASSERT_TRUE(ReadToolUntil(other, "spawned"));
    const std::vector<DWORD> mySpawned = StandinFolder::SpawnedProcessIds(myScript);
    const std::vector<DWORD> otherSpawned = StandinFolder::SpawnedProcessIds(otherScript);
    ASSERT_EQ(mySpawned.size(), 1u);
    ASSERT_EQ(otherSpawned.size(), 1u);
    const Process myConverter = Process::Open(mySpawned[0]);
    const Process otherConverter = Process::Open(otherSpawned[0]);

    mine.KillFfmpegProcesses();

    EXPECT_TRUE(myConverter.EndsWithin(2000));
    EXPECT_FALSE(otherConverter.EndsWithin(300));
    EXPECT_FALSE(outsider.EndsWithin(0));
    mine.Terminate();
    other.Terminate();
}

TEST(ToolProcess, RunsLeaveTheHandleCountWhereItWas) {
    StandinFolder folder;
    folder.WriteScript("out [download]  50.0%\\r\nsleep 20\nout [download] 100% of 2.92MiB in 00:03\\n\n");
    // Every third run is ended early, the way Abort ends it.
    auto run = [](int index) {
        ToolProcess tool;
        ASSERT_TRUE(tool.Start(kDownloader));
        if (index % 3 == 0) {
            ASSERT_TRUE(ReadToolUntil(tool, "50.0%"));
            tool.KillFfmpegProcesses();
            tool.Terminate();
        }
        ReadToolToEnd(tool);
        if (index % 2 == 0) tool.Close();  // the others are cleaned up by the destructor
    };
    run(0);
    run(1);
    // Without a leak the count comes back exactly (so it did after each of 200 runs). Each of the four ways a run
    // ends comes at least 5 times in 30, so a handle left behind by any one of them adds more than the 4 allowed.
    const int before = OpenHandleCount();
    for (int index = 0; index < 30; ++index) run(index);
    EXPECT_LE(OpenHandleCount() - before, 4);
}
