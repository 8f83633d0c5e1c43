#pragma once

#include <string>

#include "download/FilterKind.h"
#include "download/Formats.h"

// What the Download button reads off the controls, as plain values.
struct DownloadOptions {
    std::wstring link;
    std::wstring outputFolder;
    bool audioOnly = false;
    int audioFormat = kNoFormatSelected;  // index into kAudioFormats; no selection takes the first
    bool fullVideo = false;
    int videoFormat = kNoFormatSelected;  // index into kVideoFormats; no selection takes the first
    bool allFormats = false;
    bool metadata = false;
    bool subtitles = false;
    bool thumbnail = false;
    bool playlistReverse = false;
    bool playlistFolders = false;
    bool filterOn = false;
    FilterKind filterKind = FilterKind::None;
    std::wstring filterValue;
};

// A link that names a playlist; the list parameter is matched case-sensitively.
bool IsPlaylistLink(const std::wstring& link);

// The downloader's complete command line, starting with "youtube-dl.exe ". The link, the output path and
// every filter value each reach the downloader as exactly one argument, whatever characters they hold.
std::wstring BuildCommandLine(const DownloadOptions& o);
