#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "download/CommandLineBuilder.h"

namespace {

const std::wstring kVideoLink = L"https://www.example.com/watch?v=dQw4w9";
const std::wstring kPlaylistLink = L"https://www.example.com/watch?v=dQw4w9&list=PL0123";
const std::wstring kTail = L"--ffmpeg-location \"ffmpeg\" --ignore-errors -o ";
// Combo box indexes of some formats.
constexpr int kMp3 = 1, kWav = 3;
constexpr int kBestQuality = 1, kMkv = 5;

DownloadOptions Options(const std::wstring& link, const std::wstring& folder = L"D:\\Music") {
    DownloadOptions o;
    o.link = link;
    o.outputFolder = folder;
    return o;
}

DownloadOptions PlaylistFilter(FilterKind kind, const std::wstring& value) {
    DownloadOptions o = Options(kPlaylistLink);
    o.filterOn = true;
    o.filterKind = kind;
    o.filterValue = value;
    return o;
}

// Splits a command line the way the C runtime builds argv for the child.
std::vector<std::wstring> SplitLikeWindows(const std::wstring& line) {
    std::vector<std::wstring> args;
    size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i == line.size()) return args;
        std::wstring arg;
        bool quoted = false;
        for (; i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t')); ++i) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == L'"') {
                arg.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1)
                    arg += L'"';
                else
                    quoted = !quoted;
            } else {
                arg.append(backslashes, L'\\');
                if (i == line.size()) break;
                if (!quoted && (line[i] == L' ' || line[i] == L'\t')) break;
                arg += line[i];
            }
        }
        args.push_back(arg);
    }
}

TEST(CommandLine, OrdinaryLinesAreExactlyTheEstablishedOnes) {
    struct Case {
        const char* name;
        DownloadOptions options;
        std::wstring expected;
    };
    std::vector<Case> cases;

    cases.push_back({"no option", Options(kVideoLink),
                     L"youtube-dl.exe " + kTail + L"\"D:\\Music\\%(title)s.%(ext)s\" \"" + kVideoLink + L"\""});

    cases.push_back({"drive root gets no second backslash", Options(kVideoLink, L"D:\\"),
                     L"youtube-dl.exe " + kTail + L"\"D:\\%(title)s.%(ext)s\" \"" + kVideoLink + L"\""});

    {
        DownloadOptions o = Options(kPlaylistLink);
        o.audioOnly = true;
        o.audioFormat = kMp3;
        o.metadata = true;
        o.playlistReverse = true;
        cases.push_back(
            {"audio, metadata, reverse on a playlist", o,
             L"youtube-dl.exe --playlist-reverse --add-metadata "
             L"--format bestaudio/mp3/m4a/aac/wav/best --audio-format mp3 --audio-quality 0 --extract-audio " +
                 kTail + L"\"D:\\Music\\%(title)s.%(ext)s\" \"" + kPlaylistLink + L"\""});
    }
    {
        DownloadOptions o = PlaylistFilter(FilterKind::MatchTitle, L"live");
        o.link = L"https://www.example.com/watch?v=dQw4w9&LIST=PL0123";
        o.playlistReverse = true;
        o.playlistFolders = true;
        cases.push_back({"capital LIST is no playlist", o,
                         L"youtube-dl.exe " + kTail + L"\"D:\\Music\\%(title)s.%(ext)s\" \"" + o.link + L"\""});
    }
    {
        DownloadOptions o = PlaylistFilter(FilterKind::MatchTitle, L"live");
        o.playlistReverse = true;
        o.thumbnail = true;
        o.subtitles = true;
        o.metadata = true;
        o.allFormats = true;
        o.fullVideo = true;
        o.videoFormat = kMkv;
        o.audioOnly = true;
        o.audioFormat = kWav;
        o.playlistFolders = true;
        cases.push_back(
            {"every piece in its place", o,
             L"youtube-dl.exe --match-title \"live\" --playlist-reverse --embed-thumbnail "
             L"--write-sub --write-auto-sub --embed-subs --add-metadata "
             L"--autonumber-size 2 --keep-video --format 3gp,bestvideo+bestaudio,best[height=240],best[height=360],"
             L"best[height=720],best[height=1080],best[height=3072],best[height=4320],mp4,webm,ogg,flv,aac,m4a,mp3,wav "
             L"--format best --recode-video mkv "
             L"--format wav/mp3/m4a/aac/best --audio-format wav --audio-quality 0 --extract-audio " +
                 kTail + L"\"D:\\Music\\%(playlist)s\\%(title)s-%(autonumber)s.%(ext)s\" \"" + kPlaylistLink + L"\""});
    }
    {
        DownloadOptions o = Options(kVideoLink);
        o.fullVideo = true;
        o.videoFormat = kBestQuality;
        cases.push_back({"merged video", o,
                         L"youtube-dl.exe --format bestvideo+bestaudio/best " + kTail +
                             L"\"D:\\Music\\%(title)s.%(ext)s\" \"" + kVideoLink + L"\""});
    }
    {
        DownloadOptions o = Options(kVideoLink);
        o.fullVideo = true;
        o.audioOnly = true;
        cases.push_back({"no selection takes the first format", o,
                         L"youtube-dl.exe " + std::wstring(kVideoFormats[0].switches) + kAudioFormats[0].switches +
                             kTail + L"\"D:\\Music\\%(title)s.%(ext)s\" \"" + kVideoLink + L"\""});
    }

    for (const Case& c : cases) EXPECT_EQ(BuildCommandLine(c.options), c.expected) << c.name;
}

TEST(CommandLine, OutputTemplateTakesOneOfFourForms) {
    struct Case {
        bool allFormats;
        bool folders;
        std::wstring link;
        std::wstring path;
    };
    const Case cases[] = {
        {false, false, kPlaylistLink, L"\"D:\\Music\\%(title)s.%(ext)s\""},
        {true, false, kPlaylistLink, L"\"D:\\Music\\%(title)s-%(autonumber)s.%(ext)s\""},
        {false, true, kPlaylistLink, L"\"D:\\Music\\%(playlist)s\\%(title)s.%(ext)s\""},
        {true, true, kPlaylistLink, L"\"D:\\Music\\%(playlist)s\\%(title)s-%(autonumber)s.%(ext)s\""},
        {true, true, kVideoLink, L"\"D:\\Music\\%(title)s-%(autonumber)s.%(ext)s\""},
    };
    for (const Case& c : cases) {
        DownloadOptions o = Options(c.link);
        o.allFormats = c.allFormats;
        o.playlistFolders = c.folders;
        const std::wstring line = BuildCommandLine(o);
        EXPECT_NE(line.find(L" -o " + c.path + L" \""), std::wstring::npos) << std::string(line.begin(), line.end());
    }
}

TEST(CommandLine, FilterPieces) {
    struct Case {
        FilterKind kind;
        std::wstring value;
        std::wstring piece;  // what follows "youtube-dl.exe "; empty: no piece at all
    };
    const Case cases[] = {
        {FilterKind::PlaylistItems, L"1,2,5,7-9", L"--playlist-items 1,2,5,7-9 "},
        {FilterKind::MatchTitle, L"live", L"--match-title \"live\" "},
        {FilterKind::RejectTitle, L"bad keyword", L"--reject-title \"bad keyword\" "},
        {FilterKind::MaxFileSize, L"50m", L"--max-filesize 50m "},
        {FilterKind::MinFileSize, L"10k", L"--min-filesize 10k "},
        {FilterKind::MinViews, L"5000", L"--min-views 5000 "},
        {FilterKind::MinViews, L"5k", L"--min-views 5000 "},
        {FilterKind::MaxViews, L"1m", L"--max-views 1000000 "},
        {FilterKind::MaxViews, L"1m5k", L"--max-views 15000 "},
        {FilterKind::MaxViews, L"3000m", L"--max-views 3000000000 "},
        {FilterKind::MinViews, L"99999999999999999999999k", L"--min-views 9223372036854775807 "},
        {FilterKind::Date, L"12/31/2015", L"--date 20151231 "},
        {FilterKind::DateAfter, L"01/01/2016", L"--dateafter 20160101 "},
        {FilterKind::DateBefore, L"2015/12/31", L"--datebefore 12312015 "},
        {FilterKind::Date, L"1/1/2016", L""},
        {FilterKind::DateAfter, L"Bad date format... Please use this format: MM/DD/YYYY", L""},
        {FilterKind::AgeLimit, L"18+", L"--age-limit 18 "},
        {FilterKind::None, L"anything", L""},
        {FilterKind::MatchTitle, L"", L""},
    };
    for (const Case& c : cases) {
        const std::wstring line = BuildCommandLine(PlaylistFilter(c.kind, c.value));
        const std::wstring expected = L"youtube-dl.exe " + c.piece + kTail;
        EXPECT_EQ(line.substr(0, expected.size()), expected) << std::string(c.value.begin(), c.value.end());
    }

    DownloadOptions off = PlaylistFilter(FilterKind::AgeLimit, L"18");
    off.filterOn = false;
    EXPECT_EQ(BuildCommandLine(off).find(L"--age-limit"), std::wstring::npos);
    DownloadOptions single = PlaylistFilter(FilterKind::AgeLimit, L"18");
    single.link = kVideoLink;
    EXPECT_EQ(BuildCommandLine(single).find(L"--age-limit"), std::wstring::npos);
}

TEST(CommandLine, HostilePiecesStayOneArgumentEach) {
    struct Case {
        const char* name;
        DownloadOptions options;
        std::vector<std::wstring> expectedArgs;
    };
    const std::wstring injectingLink = L"https://e.com/v?list=1\" --exec \"calc.exe";
    const std::wstring backslashLink = L"https://e.com/a\\";
    std::vector<Case> cases;
    cases.push_back({"link with a quote and a switch",
                     Options(injectingLink),
                     {L"youtube-dl.exe", L"--ffmpeg-location", L"ffmpeg", L"--ignore-errors", L"-o",
                      L"D:\\Music\\%(title)s.%(ext)s", injectingLink}});
    cases.push_back({"link ending in a backslash",
                     Options(backslashLink, L"C:\\My Videos\\Best Of"),
                     {L"youtube-dl.exe", L"--ffmpeg-location", L"ffmpeg", L"--ignore-errors", L"-o",
                      L"C:\\My Videos\\Best Of\\%(title)s.%(ext)s", backslashLink}});
    cases.push_back({"folder with quotes and backslashes",
                     Options(kVideoLink, L"C:\\a\\\"b c\\\\"),
                     {L"youtube-dl.exe", L"--ffmpeg-location", L"ffmpeg", L"--ignore-errors", L"-o",
                      L"C:\\a\\\"b c\\\\%(title)s.%(ext)s", kVideoLink}});

    const std::vector<std::wstring> tail = {
        L"--ffmpeg-location", L"ffmpeg", L"--ignore-errors", L"-o", L"D:\\Music\\%(title)s.%(ext)s", kPlaylistLink};
    auto withFilter = [&](std::vector<std::wstring> filterArgs) {
        filterArgs.insert(filterArgs.begin(), L"youtube-dl.exe");
        filterArgs.insert(filterArgs.end(), tail.begin(), tail.end());
        return filterArgs;
    };
    cases.push_back({"items typed with blanks", PlaylistFilter(FilterKind::PlaylistItems, L"1, 2, 5"),
                     withFilter({L"--playlist-items", L"1, 2, 5"})});
    cases.push_back({"size with a tab", PlaylistFilter(FilterKind::MaxFileSize, L"50\tm"),
                     withFilter({L"--max-filesize", L"50\tm"})});
    cases.push_back({"title with a quote", PlaylistFilter(FilterKind::MatchTitle, L"a\" --exec \"b\\"),
                     withFilter({L"--match-title", L"a\" --exec \"b\\"})});
    cases.push_back(
        {"age of only a plus", PlaylistFilter(FilterKind::AgeLimit, L"+"), withFilter({L"--age-limit", L""})});
    cases.push_back(
        {"date with blanks", PlaylistFilter(FilterKind::Date, L"1 /2 /3456"), withFilter({L"--date", L"34561 2 "})});

    for (const Case& c : cases) EXPECT_EQ(SplitLikeWindows(BuildCommandLine(c.options)), c.expectedArgs) << c.name;
}

}  // namespace
