#pragma once
// The Win32 helpers that the Wine tests, the stand-in tools and the Windows benchmarks share: text, memory blocks,
// whole files, paths into the source and build trees, a temporary folder, a folder laid out as a user has the
// program, and a process that is ended when its owner is done with it. Kernel calls only, so that the stand-ins stay
// console programs that load nothing more.

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/Handles.h"

// ---- text

// Text from bytes in the code page (UTF-8 unless another is given).
std::wstring Wide(std::string_view bytes, UINT codePage = CP_UTF8);
std::string Utf8(std::wstring_view text);
// The lines of a text, without their line feeds; a last line feed ends the last line.
std::vector<std::string_view> Lines(std::string_view text);
// The environment variable's value; empty when it is not set.
std::wstring EnvironmentValue(const wchar_t* name);

// A movable global block holding a copy of the bytes, as the clipboard and stream loaders take them; empty when
// it cannot be made.
OwnedGlobal GlobalCopyOf(const void* bytes, size_t size);

// ---- files and paths

// The whole file; empty when it cannot be read. Others may write it meanwhile.
std::string ReadFileBytes(const std::wstring& path);
// Replaces the file's contents; false when it cannot.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// Z:\ is the Unix root under Wine: "/a/b" becomes "Z:\a\b". The path is taken as UTF-8.
std::wstring WindowsPathOf(std::string_view unixPath);
// A path below the source tree or the build tree, given with forward slashes, as a Windows path.
std::wstring SourceTreePath(std::string_view relative);
std::wstring BuildTreePath(std::string_view relative);
// The path in double quotes, as the first word of a command line.
std::wstring Quoted(const std::wstring& path);

// A new empty folder, removed with everything in it when this goes.
class TempFolder {
public:
    // %TEMP%\<prefix><process id>-<number>; throws std::runtime_error when it cannot be made.
    explicit TempFolder(const std::wstring& prefix);
    // <parent>\<name>, made here (or taken, when it is there already).
    TempFolder(const std::wstring& parent, const std::wstring& name);
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring FilePath(const std::wstring& name) const { return m_path + L"\\" + name; }
    // Removes the folder now. A file that a program just ended still holds is waited for a moment.
    void Remove() const;

private:
    std::wstring m_path;
};

// Where the built programs are, below the build tree.
inline constexpr std::string_view kBuiltProgram = "app/Reelsift.exe";
// The same program built to run as where the system refuses to put the downloader into a job of ours.
inline constexpr std::string_view kBuiltProgramWithoutJobs = "tests/wine/ReelsiftWithoutJobs.exe";

// A temporary folder laid out as a user has the program: built programs copied in by name, the stand-in tools
// under the outside tools' names, and the status animations. Each step throws std::runtime_error when it fails.
class ProgramFolder : public TempFolder {
public:
    explicit ProgramFolder(const std::wstring& prefix) : TempFolder(prefix) {}

    // Copies a built program into the folder as `name`, unless a copy is there already (a program that ran from
    // it may hold it a moment after it ended); returns its path.
    std::wstring AddProgram(const std::wstring& name = L"Reelsift.exe", std::string_view built = kBuiltProgram);
    // The stand-in downloader as youtube-dl.exe, the sleeper as ffmpeg.exe.
    void AddStandinDownloader();
    void AddStandinConverter();
    // gifs\ with the five status animations of the source tree.
    void AddAnimations();

private:
    void CopyIn(const std::wstring& source, const std::wstring& name) const;
};

// ---- processes

// A process this one started or opened by its id. One still running when this goes is ended, so that nothing a
// test or a benchmark starts outlives it.
class Process {
public:
    // Starts the executable with the whole command line (its first word included) in the folder (this process's
    // current one when empty). Not open when it could not start.
    static Process Start(const std::wstring& executable, std::wstring commandLine, const std::wstring& folder = {},
                         DWORD flags = 0);
    // Not open when there is no such process.
    static Process Open(DWORD id);

    Process() = default;
    ~Process() { End(); }
    Process(Process&&) noexcept = default;
    // The process held so far is ended first, as when this goes.
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool IsOpen() const { return static_cast<bool>(m_process); }
    DWORD Id() const { return m_id; }
    // True when the process has ended, or ends within the time given.
    bool EndsWithin(DWORD milliseconds) const;
    // Its exit code, or STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    // Ends it unless it has ended, and waits a moment for it to be gone.
    void End();

private:
    Process(OwnedHandle process, DWORD id) : m_process(std::move(process)), m_id(id) {}

    OwnedHandle m_process;
    DWORD m_id = 0;
};

// The handles this process holds now. Wine's GetProcessHandleCount answers 0, so the table is probed.
int OpenHandleCount();
