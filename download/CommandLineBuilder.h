#pragma once

#include <string>

#include "download/FilterKind.h"

// What the Download button reads off the controls, as plain values.
struct DownloadOptions {
    std::wstring link;
    std::wstring outputFolder;
    bool audioOnly = false;
    std::wstring audioFormatText;  // the audio format combo's item text
    bool fullVideo = false;
    std::wstring videoFormatText;  // the video format combo's item text
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
