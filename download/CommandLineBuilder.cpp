#include "download/CommandLineBuilder.h"

#include "core/TextScan.h"

#include <cstdint>
#include <limits>

#include "download/ArgumentQuoting.h"
#include "download/Formats.h"

namespace {

constexpr const wchar_t* kAllFormatsPiece =
    L"--autonumber-size 2 --keep-video --format 3gp,bestvideo+bestaudio,best[height=240],best[height=360],"
    L"best[height=720],best[height=1080],best[height=3072],best[height=4320],mp4,webm,ogg,flv,aac,m4a,mp3,wav ";

// No selection takes the first format, the one the combo box would offer; an index past the list takes none.
template <class Format, size_t N>
std::wstring FormatSwitches(const std::array<Format, N>& formats, int index) {
    const Format* format = FormatAt(formats, index < 0 ? 0 : index);
    return format ? format->switches : L"";
}

bool Contains(const std::wstring& text, wchar_t c) {
    return text.find(c) != std::wstring::npos;
}

std::wstring Without(std::wstring text, wchar_t c) {
    std::erase(text, c);
    return text;
}

int64_t SaturatingMultiply(int64_t value, int64_t factor) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    if (value > kMax / factor) return kMax;
    if (value < kMin / factor) return kMin;
    return value * factor;
}

// "5k" is 5000, "1m" a million; with both letters the "k" counts.
std::wstring ViewsCount(const std::wstring& value) {
    const int64_t multiplier = Contains(value, L'k') ? 1000 : Contains(value, L'm') ? 1000000 : 1;
    const int64_t figure = LeadingInteger(Without(Without(value, L'm'), L'k'));
    return std::to_wstring(SaturatingMultiply(figure, multiplier));
}

// MM/DD/YYYY becomes YYYYMMDD; any other length gives no date at all.
std::wstring DownloaderDate(const std::wstring& value) {
    const std::wstring digits = Without(value, L'/');
    if (digits.size() != 8) return {};
    return digits.substr(4, 4) + digits.substr(0, 2) + digits.substr(2, 2);
}

std::wstring Switch(const wchar_t* name, const std::wstring& argument) {
    return std::wstring(name) + argument + L' ';
}

std::wstring FilterPiece(FilterKind kind, const std::wstring& value) {
    switch (kind) {
    case FilterKind::PlaylistItems:
        return Switch(L"--playlist-items ", QuoteArgumentIfNeeded(value));
    case FilterKind::MatchTitle:
        return Switch(L"--match-title ", QuoteArgument(value));
    case FilterKind::RejectTitle:
        return Switch(L"--reject-title ", QuoteArgument(value));
    case FilterKind::MaxFileSize:
        return Switch(L"--max-filesize ", QuoteArgumentIfNeeded(value));
    case FilterKind::MinFileSize:
        return Switch(L"--min-filesize ", QuoteArgumentIfNeeded(value));
    case FilterKind::MinViews:
        return Switch(L"--min-views ", ViewsCount(value));
    case FilterKind::MaxViews:
        return Switch(L"--max-views ", ViewsCount(value));
    case FilterKind::Date:
    case FilterKind::DateAfter:
    case FilterKind::DateBefore: {
        const std::wstring date = DownloaderDate(value);
        if (date.empty()) return {};
        const wchar_t* name = kind == FilterKind::Date        ? L"--date "
                              : kind == FilterKind::DateAfter ? L"--dateafter "
                                                              : L"--datebefore ";
        return Switch(name, QuoteArgumentIfNeeded(date));
    }
    case FilterKind::AgeLimit:
        return Switch(L"--age-limit ", QuoteArgumentIfNeeded(Without(value, L'+')));
    case FilterKind::None:
        break;
    }
    return {};
}

std::wstring OutputTemplate(bool allFormats, bool folderPerPlaylist) {
    std::wstring name = L"%(title)s";
    if (allFormats) name += L"-%(autonumber)s";
    if (folderPerPlaylist) name = L"%(playlist)s\\" + name;
    return name + L".%(ext)s";
}

std::wstring OutputPath(const std::wstring& folder, const std::wstring& outputTemplate) {
    const bool endsWithBackslash = !folder.empty() && folder.back() == L'\\';
    return folder + (endsWithBackslash ? L"" : L"\\") + outputTemplate;
}

}  // namespace

bool IsPlaylistLink(const std::wstring& link) {
    return link.find(L"?list=") != std::wstring::npos || link.find(L"&list=") != std::wstring::npos;
}

std::wstring BuildCommandLine(const DownloadOptions& o) {
    const bool playlist = IsPlaylistLink(o.link);

    std::wstring line = L"youtube-dl.exe ";
    if (playlist && o.filterOn && !o.filterValue.empty()) line += FilterPiece(o.filterKind, o.filterValue);
    if (playlist && o.playlistReverse) line += L"--playlist-reverse ";
    if (o.thumbnail) line += L"--embed-thumbnail ";
    if (o.subtitles) line += L"--write-sub --write-auto-sub --embed-subs ";
    if (o.metadata) line += L"--add-metadata ";
    if (o.allFormats) line += kAllFormatsPiece;
    if (o.fullVideo) line += FormatSwitches(kVideoFormats, o.videoFormat);
    if (o.audioOnly) line += FormatSwitches(kAudioFormats, o.audioFormat);

    line += L"--ffmpeg-location \"ffmpeg\" --ignore-errors -o ";
    line += QuoteArgument(OutputPath(o.outputFolder, OutputTemplate(o.allFormats, playlist && o.playlistFolders)));
    line += L' ';
    line += QuoteArgument(o.link);
    return line;
}
