#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "download/ChunkInterpreter.h"
#include "download/OutputText.h"

namespace {

const std::wstring kFolder = L"C:\\Users\\user\\Documents\\YouTube Files";

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

TEST(ChunkInterpreter, InterpretsOneChunk) {
    struct Case {
        std::wstring chunk;
        ChunkKind kind;
        std::wstring title;
        int position;
        std::wstring status;
        bool errorReport = false;
        bool completed = false;
    };
    const Case cases[] = {
        {L"\r[download]  42.7% of 2.92MiB at 1.01MiB/s ETA 00:02", ChunkKind::Progress, L"Download 42.7%", 420,
         L"[download]  42.7% of 2.92mib at 1.01mib/s eta 00:02"},
        {L"\r[download]   0.0% of 2.92MiB at Unknown speed", ChunkKind::Progress, L"Download 0.0%", 0,
         L"[download]   0.0% of 2.92mib at unknown speed"},
        {L"\r[download]  +7.9e1% of x", ChunkKind::Progress, L"Download +7.9e1%", 790, L"[download]  +7.9e1% of x"},
        {L"\r[download]  -5.0% of x", ChunkKind::Progress, L"Download -5.0%", 0, L"[download]  -5.0% of x"},
        {L"\r[download]  1e999% of x", ChunkKind::Progress, L"Download 1e999%", 1000, L"[download]  1e999% of x"},
        {L"\r[download]  1e-999% of x", ChunkKind::Progress, L"Download 1e-999%", 0, L"[download]  1e-999% of x"},
        {L"\r[download] 100.0% of 2.92MiB\r[download] 100% of 2.92MiB in 00:03\n", ChunkKind::Progress,
         L"Download 100.0%", 1000, L"[download] 100% of 2.92mib in 00:03", false, true},
        // Another line before the progress: the figure is no number, so the bar stays.
        {L"[generic] page: Writing\n[download]  12.5% of 1MiB", ChunkKind::Progress,
         L"Download [generic] page: writing   12.5%", 0, L"[download]  12.5% of 1mib"},
        {L"[ffmpeg] Destination: D:\\a.mp3\n", ChunkKind::Converting, L"Converting...", 0,
         L"[convert] destination: d:\\a.mp3"},
        {L"[download] Destination: a.mp4 [ffmpeg]\n", ChunkKind::Converting, L"Converting...", 0, L"[convert]"},
        {L"[download] Destination: a.mp4\n", ChunkKind::Working, L"Working...", 0, L"[download] destination: a.mp4"},
        {L"Deleting original file a.mp4 (pass -k to keep)\n", ChunkKind::Working, L"Working...", 0,
         L"deleting original file a.mp4"},
        {L"(pass -k to keep)", ChunkKind::Working, L"Working...", 0, L""},
        {L"[download]  50.0% of 1MiB\nERROR: unable to write\n", ChunkKind::Progress, L"Download 50.0%", 500,
         L"[download]  50.0% of 1mib\nerror: unable to write", true},
        {L"ERROR: AtomicParsley was not found. Please install.\n", ChunkKind::Working, L"Working...", 0,
         L"error: embeding of thumbnail will be awailable after you restart the program (updates will take "
         L"eefect).",
         true},
        {L"[download] Destination: clip [HD].mp4", ChunkKind::Working, L"Working...", 0, L"[hd].mp4"},
        {L"WARNING: Youtube-DL is old", ChunkKind::Working, L"Working...", 0, L"warning: download is old"},
    };
    for (const Case& c : cases) {
        const ChunkDisplay d = InterpretChunk(c.chunk, L"D:\\Music");
        SCOPED_TRACE(Narrow(c.chunk));
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_EQ(d.title, c.title);
        EXPECT_EQ(d.position, c.position);
        // The status line is one line: the line feed inside a chunk reads as a blank.
        std::wstring status = c.status;
        std::replace(status.begin(), status.end(), L'\n', L' ');
        EXPECT_EQ(d.statusText, status);
        EXPECT_EQ(d.showErrorReport, c.errorReport);
        EXPECT_EQ(d.itemCompleted, c.completed);
    }
}

TEST(ChunkInterpreter, HidesTheFolderOnlyOnScreen) {
    const std::wstring chunk = L"[download] Destination: C:\\Users\\user\\Documents\\YouTube Files\\Clip.mp4\n";
    const ChunkDisplay d = InterpretChunk(chunk, kFolder);
    EXPECT_EQ(d.statusText, L"[download] destination: output_folder\\clip.mp4");
    EXPECT_EQ(d.logText, L"[download] destination: c:\\users\\user\\documents\\youtube files\\clip.mp4\n");

    // Word rewrites come first, so a folder named after a tool no longer matches and shows in full.
    const ChunkDisplay rewritten = InterpretChunk(L"[download] Destination: D:\\ffmpeg\\x.mp4", L"D:\\ffmpeg");
    EXPECT_EQ(rewritten.statusText, L"[download] destination: d:\\convert\\x.mp4");

    const ChunkDisplay noFolder = InterpretChunk(L"[download] Destination: x.mp4", L"");
    EXPECT_EQ(noFolder.statusText, L"[download] destination: x.mp4");

    // Only A to Z are lowered, in the chunk and in the folder alike, so an accented folder is still hidden.
    const ChunkDisplay accented = InterpretChunk(L"[download] to D:\\\u00C9T\u00C9\\x", L"D:\\\u00C9t\u00C9");
    EXPECT_EQ(accented.statusText, L"[download] to output_folder\\x");
}

TEST(OutputText, DecodesEveryByteAsOneCharacterNeverSignExtended) {
    const char bytes[] = {'a', '\x80', '\xE9', '\xFF'};
    EXPECT_EQ(DecodeOutputBytes(bytes, 4, Latin1Table()), std::wstring(L"a\u0080\u00E9\u00FF"));
}

TEST(OutputText, StatusLineAndLogReadAsPlainText) {
    EXPECT_EQ(StatusLineText(L"\r\t [download] 5%\r\n"), L"[download] 5%");
    EXPECT_EQ(StatusLineText(L"a\x01\x7F\x85z"), L"a   z");
    EXPECT_EQ(StatusLineText(L"\r\n"), L"");

    struct Case {
        std::wstring log;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"\r[download]  1.0%\r[download]  2.0%\n[ffmpeg] done\n", L"[download]  2.0%\n[ffmpeg] done\n"},
        {L"windows line\r\nnext\r\n", L"windows line\nnext\n"},
        {L"abc\r\r\n", L"abc\n"},
        {L"tab\there\x01\x1B[0m\n", L"tab here[0m\n"},
        {L"\n\n", L"\n\n"},
        {L"no line feed at all", L"no line feed at all"},
    };
    for (const Case& c : cases) EXPECT_EQ(LogForDisplay(c.log), c.shown) << Narrow(c.log);
}

// Replays real downloader output read by read, as the job does.
class RealOutput : public testing::Test {
protected:
    static std::vector<std::wstring> Chunks(const std::string& fixture, const ByteToCharTable& table) {
        const std::string dir = std::string(REELSIFT_TEST_DATA) + "/downloader-output/" + fixture + "/";
        std::ifstream binary(dir + "output.bin", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(binary)), std::istreambuf_iterator<char>());
        std::ifstream reads(dir + "chunks.jsonl");
        const std::regex entry(R"re("offset": (\d+), "length": (\d+))re");
        std::vector<std::wstring> chunks;
        for (std::string line; std::getline(reads, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, entry)) continue;
            const size_t offset = std::stoul(m[1]);
            const size_t length = std::stoul(m[2]);
            if (offset + length <= bytes.size())
                chunks.push_back(DecodeOutputBytes(bytes.data() + offset, length, table));
        }
        EXPECT_FALSE(chunks.empty()) << dir;
        return chunks;
    }

    static ByteToCharTable Cp1252Table() {
        ByteToCharTable table = Latin1Table();
        const wchar_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        std::copy(std::begin(high), std::end(high), table.begin() + 0x80);
        return table;
    }
};

TEST_F(RealOutput, EveryFixtureReadsCleanly) {
    struct Expectation {
        const char* fixture;
        bool completes;
        bool converts;
        bool reportsError;
    };
    const Expectation expectations[] = {
        {"extract-audio-mp3", true, true, false},
        {"recode-mkv", true, true, false},
        {"http-404", false, false, true},
        {"embed-thumbnail-mp4", true, false, true},
        {"non-ascii-title-cp1252", true, false, false},
    };
    for (const Expectation& e : expectations) {
        SCOPED_TRACE(e.fixture);
        bool completed = false, converted = false, errorShown = false;
        int lastPosition = 0;
        std::wstring log;
        for (const std::wstring& chunk : Chunks(e.fixture, Cp1252Table())) {
            const ChunkDisplay d = InterpretChunk(chunk, kFolder);
            log += d.logText + L'\n';
            completed = completed || d.itemCompleted;
            converted = converted || d.kind == ChunkKind::Converting;
            errorShown = errorShown || d.showErrorReport;
            for (const wchar_t c : d.statusText + d.title) EXPECT_FALSE(c < 0x20 || c == 0x7F) << Narrow(d.statusText);
            EXPECT_EQ(d.statusText.find(L"youtube files"), std::wstring::npos) << Narrow(d.statusText);
            if (d.position > 0) {
                EXPECT_GE(d.position, lastPosition);
                lastPosition = d.position;
            }
        }
        EXPECT_EQ(completed, e.completes);
        EXPECT_EQ(converted, e.converts);
        EXPECT_EQ(errorShown, e.reportsError);
        EXPECT_EQ(lastPosition, e.completes ? 1000 : 0);
        if (e.completes) {
            EXPECT_NE(log.find(L"youtube files"), std::wstring::npos) << "the log keeps the real folder";
        }
        const std::wstring shown = LogForDisplay(log);
        EXPECT_EQ(shown.find_first_of(L"\r\t\x1B"), std::wstring::npos);
        if (e.completes) {
            EXPECT_NE(shown.find(L"\n[download] 100% of 2.92mib in 00:03\n"), std::wstring::npos);
        }
    }
}

TEST_F(RealOutput, ProgressFollowsTheDownloadInWholePercents) {
    std::vector<int> positions;
    for (const std::wstring& chunk : Chunks("extract-audio-mp3", Latin1Table())) {
        const ChunkDisplay d = InterpretChunk(chunk, kFolder);
        if (d.kind == ChunkKind::Progress) positions.push_back(d.position);
    }
    EXPECT_EQ(positions, (std::vector<int>{0, 0, 0, 0, 10, 20, 40, 80, 170, 340, 660, 990, 1000, 1000}));
}

TEST_F(RealOutput, AccentedTitleReadsRightThroughItsCodePage) {
    std::wstring statusLines;
    for (const std::wstring& chunk : Chunks("non-ascii-title-cp1252", Cp1252Table()))
        statusLines += InterpretChunk(chunk, kFolder).statusText + L'\n';
    EXPECT_NE(
        statusLines.find(L"[download] destination: output_folder\\  \u2014 caf\u00E9 \u00DCn\u00EFc\u00F6d\u00E9.mp4"),
        std::wstring::npos)
        << Narrow(statusLines);
}

}  // namespace
