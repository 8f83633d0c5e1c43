#include "support/standin_folder.h"

#include <atomic>
#include <stdexcept>

namespace {

std::wstring Wide(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(size > 0 ? size : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string contents;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return contents;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) contents.append(buffer, got);
    CloseHandle(file);
    return contents;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a stand-in file");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write a stand-in file");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::wstring FakeProgram(const char* name) {
    return WindowsPathOf(std::string(REELSIFT_BINARY_DIR) + "/tests/fakes/" + name);
}

// A program that was just killed may hold its image for a moment longer.
void DeleteWithPatience(const std::wstring& path) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return;
        Sleep(20);
    }
}

}  // namespace

StandinFolder::StandinFolder(Downloader downloader) {
    static std::atomic<int> folderCount{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"reelsift-standin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++folderCount);
    if (!CreateDirectoryW(m_path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create the stand-in folder");

    if (downloader == Downloader::Present &&
        !CopyFileW(FakeProgram("standin_downloader.exe").c_str(), FilePath(L"youtube-dl.exe").c_str(), FALSE))
        throw std::runtime_error("stand-in downloader not built");
    if (!CopyFileW(FakeProgram("sleeper.exe").c_str(), FilePath(L"ffmpeg.exe").c_str(), FALSE))
        throw std::runtime_error("sleeper not built");

    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    m_previousDirectory = current;
    SetCurrentDirectoryW(m_path.c_str());
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_ARGV", FilePath(L"argv.txt").c_str());
}

StandinFolder::~StandinFolder() {
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_ARGV", nullptr);
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", nullptr);
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_PIDS", nullptr);
    SetCurrentDirectoryW(m_previousDirectory.c_str());

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(FilePath(L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteWithPatience(FilePath(found.cFileName));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(m_path.c_str());
}

StandinFolder::Script StandinFolder::WriteScript(const std::string& lines) {
    const std::wstring number = std::to_wstring(++m_scriptCount);
    const std::wstring scriptPath = FilePath(L"script-" + number + L".txt");
    Script script{FilePath(L"spawned-" + number + L".txt")};
    WriteFileBytes(scriptPath, lines);
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", scriptPath.c_str());
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_PIDS", script.spawnRecord.c_str());
    return script;
}

std::vector<std::wstring> StandinFolder::RecordedCommandLines() const {
    std::vector<std::wstring> commandLines;
    for (const std::string& line : Lines(ReadFileBytes(FilePath(L"argv.txt")))) commandLines.push_back(Wide(line));
    return commandLines;
}

std::vector<DWORD> StandinFolder::SpawnedProcessIds(const Script& script) {
    std::vector<DWORD> ids;
    for (const std::string& line : Lines(ReadFileBytes(script.spawnRecord)))
        ids.push_back(static_cast<DWORD>(std::stoul(line)));
    return ids;
}

WatchedProcess StandinFolder::StartUnrelatedFfmpeg() const {
    std::wstring commandLine = L"\"" + FilePath(L"ffmpeg.exe") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &started))
        throw std::runtime_error("cannot start the unrelated ffmpeg.exe");
    CloseHandle(started.hThread);
    return WatchedProcess(started.hProcess);
}

std::string DownloaderFixtureFolder(const std::string& name) {
    std::string path = "Z:" + std::string(REELSIFT_SOURCE_DIR) + "/tests/data/downloader-output/" + name;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

int OpenHandleCount() {
    DWORD reported = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &reported) && reported > 0) return static_cast<int>(reported);
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}
