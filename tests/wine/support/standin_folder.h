#pragma once
// A throw-away program folder in which "youtube-dl.exe" is the stand-in downloader and "ffmpeg.exe" the sleeper.
// While it exists it is the current directory, so a command line that begins with the bare name finds the
// stand-in, and the stand-in's environment variables point into it. The destructor undoes all of this.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/win32_helpers.h"

class StandinFolder : public ProgramFolder {
public:
    enum class Downloader { Present, Missing };
    enum class Animations { None, Copied };

    explicit StandinFolder(Downloader downloader = Downloader::Present, Animations animations = Animations::None);
    ~StandinFolder();
    StandinFolder(const StandinFolder&) = delete;
    StandinFolder& operator=(const StandinFolder&) = delete;

    // The script for the stand-in processes started from now on, one command a line. Each script gets a
    // record of its own for the ids of the children it spawns, so runs started together stay apart.
    struct Script {
        std::wstring spawnRecord;
    };
    Script WriteScript(const std::string& lines);
    // Replaces the lines of the last script written, in place: a program started earlier keeps that script's
    // path in its environment, so its downloader plays the new lines too.
    void RewriteScript(const std::string& lines);

    // Every command line a stand-in started from this folder received, in order.
    std::vector<std::wstring> RecordedCommandLines() const;
    static std::vector<DWORD> SpawnedProcessIds(const Script& script);

    // Starts the sleeper from this folder outside any job: a converter that belongs to someone else.
    Process StartUnrelatedFfmpeg() const;

private:
    std::wstring ScriptPath() const;

    std::wstring m_previousDirectory;
    int m_scriptCount = 0;
};

// A converter a stand-in started, and the downloader that started it (opened after it, so its parent id still
// names that downloader); both are ended when this goes.
struct ConverterAndItsDownloader {
    explicit ConverterAndItsDownloader(DWORD converterId);
    bool IsOpen() const { return converter.IsOpen() && downloader.IsOpen(); }

    Process converter;
    Process downloader;
};

// One of the recorded runs of the real downloader under tests/data/downloader-output, as a script names it.
std::string DownloaderFixtureFolder(const std::string& name);
