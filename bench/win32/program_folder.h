#pragma once
// The folder a benchmark runs the real program from: a copy of the built Reelsift.exe with its animations, as a
// user would have it.

#include <windows.h>

#include <string>

#include "tests/wine/support/desktop_search.h"

// Creates (or refreshes) %TEMP%\<name> with Reelsift.exe and gifs\; returns the folder.
inline std::wstring PrepareProgramFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW((folder + L"\\gifs").c_str(), nullptr);
    ::CopyFileW(WindowsPathOf(REELSIFT_BINARY_DIR "/app/Reelsift.exe").c_str(), (folder + L"\\Reelsift.exe").c_str(),
                FALSE);
    for (const wchar_t* gif : {L"converting.gif", L"url.gif", L"ready.gif", L"eyes.gif", L"downloading.gif"}) {
        ::CopyFileW((WindowsPathOf(REELSIFT_SOURCE_DIR "/gifs/") + gif).c_str(), (folder + L"\\gifs\\" + gif).c_str(),
                    FALSE);
    }
    return folder;
}
