#pragma once
// The audio and video formats on offer, in the order of their combo boxes: what each item reads, the
// downloader's switches for it, and what the file it makes can carry.

#include <array>
#include <cstddef>

struct AudioFormat {
    const wchar_t* itemText;
    const wchar_t* switches;  // each followed by one blank
    bool takesCoverArt;       // an embedded thumbnail
};

struct VideoFormat {
    const wchar_t* itemText;
    const wchar_t* switches;  // each followed by one blank
    bool takesSubtitles;      // embedded subtitles
};

// A format combo box without a selection.
constexpr int kNoFormatSelected = -1;

extern const std::array<AudioFormat, 4> kAudioFormats;
extern const std::array<VideoFormat, 6> kVideoFormats;

// The format at a combo box index; null for no selection (-1) or an index past the list.
template <class Format, std::size_t N>
const Format* FormatAt(const std::array<Format, N>& formats, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? &formats[static_cast<std::size_t>(index)] : nullptr;
}
