#pragma once
// A throw-away folder in which "youtube-dl.exe" is the stand-in downloader and "ffmpeg.exe" the sleeper.
// While it exists it is the current directory, so a command line that begins with the bare name finds the
// stand-in, and the stand-in's environment variables point into it. The destructor undoes all of this.

#include "support/desktop_search.h"
#include "support/standin_process.h"

#include <windows.h>

#include <string>
#include <vector>

class StandinFolder {
public:
    enum class Downloader { Present, Missing };

    explicit StandinFolder(Downloader downloader = Downloader::Present);
    ~StandinFolder();
    StandinFolder(const StandinFolder&) = delete;
    StandinFolder& operator=(const StandinFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring FilePath(const std::wstring& name) const { return m_path + L"\\" + name; }

    // The script for the stand-in processes started from now on, one command a line. Each script gets a
    // record of its own for the ids of the children it spawns, so runs started together stay apart.
    struct Script {
        std::wstring spawnRecord;
    };
    Script WriteScript(const std::string& lines);

    // Every command line a stand-in started from this folder received, in order.
    std::vector<std::wstring> RecordedCommandLines() const;
    static std::vector<DWORD> SpawnedProcessIds(const Script& script);

    // Starts the sleeper from this folder outside any job: a converter that belongs to someone else.
    WatchedProcess StartUnrelatedFfmpeg() const;

private:
    std::wstring m_path;
    std::wstring m_previousDirectory;
    int m_scriptCount = 0;
};

// One of the recorded runs of the real downloader under tests/data/downloader-output.
std::string DownloaderFixtureFolder(const std::string& name);

// The handles this process holds now. Wine's GetProcessHandleCount answers 0, so the table is probed.
int OpenHandleCount();
