#include "tests/support/win32_helpers.h"

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "tests/support/owned_handles.h"

std::wstring Wide(std::string_view bytes, UINT codePage) {
    const int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(size > 0 ? static_cast<size_t>(size) : 0, L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::string Utf8(std::wstring_view text) {
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::wstring EnvironmentValue(const wchar_t* name) {
    std::wstring value(32768, L'\0');  // the most a variable holds
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    value.resize(length < value.size() ? length : 0);
    return value;
}

OwnedGlobal GlobalCopyOf(const void* bytes, size_t size) {
    OwnedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return block;
    {
        const LockedGlobal locked = LockGlobal(block.Get());
        if (!locked) return OwnedGlobal();
        std::memcpy(locked.Get(), bytes, size);
    }
    return block;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string contents;
    OwnedHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    if (!file) return contents;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) contents.append(buffer, got);
    return contents;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    OwnedHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::wstring WindowsPathOf(std::string_view unixPath) {
    std::wstring path = L"Z:" + Wide(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

std::wstring SourceTreePath(std::string_view relative) {
    return WindowsPathOf(std::string(REELSIFT_SOURCE_DIR "/") + std::string(relative));
}

std::wstring BuildTreePath(std::string_view relative) {
    return WindowsPathOf(std::string(REELSIFT_BINARY_DIR "/") + std::string(relative));
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

namespace {

// A program that was just ended may hold its image for a moment longer.
void DeleteFilePatiently(const std::wstring& path) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::DeleteFileW(path.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) return;
        ::Sleep(20);
    }
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    if (const OwnedFileSearch search{::FindFirstFileW((folder + L"\\*").c_str(), &found)}) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFilePatiently(path);
            }
        } while (::FindNextFileW(search.Get(), &found));
    }
    ::RemoveDirectoryW(folder.c_str());
}

void MakeFolder(const std::wstring& path) {
    if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        throw std::runtime_error("cannot make the folder " + Utf8(path));
    }
}

}  // namespace

TempFolder::TempFolder(const std::wstring& prefix) {
    static std::atomic<int> made{0};
    wchar_t temp[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, temp);
    // Wine gives a process id again soon, so a folder of an earlier run may have this name: the next number then.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = temp + prefix + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
        if (::CreateDirectoryW(m_path.c_str(), nullptr)) return;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("cannot make a folder in " + Utf8(temp));
}

TempFolder::TempFolder(const std::wstring& parent, const std::wstring& name) : m_path(parent + L"\\" + name) {
    MakeFolder(m_path);
}

void TempFolder::Remove() const {
    RemoveTree(m_path);
}

void ProgramFolder::CopyIn(const std::wstring& source, const std::wstring& name) const {
    if (!::CopyFileW(source.c_str(), FilePath(name).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + Utf8(source) + ": is it built?");
    }
}

std::wstring ProgramFolder::AddProgram(const std::wstring& name, std::string_view built) {
    const std::wstring path = FilePath(name);
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) CopyIn(BuildTreePath(built), name);
    return path;
}

void ProgramFolder::AddStandinDownloader() {
    CopyIn(BuildTreePath("tests/fakes/standin_downloader.exe"), L"youtube-dl.exe");
}

void ProgramFolder::AddStandinConverter() {
    CopyIn(BuildTreePath("tests/fakes/sleeper.exe"), L"ffmpeg.exe");
}

void ProgramFolder::AddAnimations() {
    MakeFolder(FilePath(L"gifs"));
    for (const wchar_t* name : {L"converting.gif", L"url.gif", L"ready.gif", L"eyes.gif", L"downloading.gif"}) {
        CopyIn(SourceTreePath("gifs/") + name, std::wstring(L"gifs\\") + name);
    }
}

Process Process::Start(const std::wstring& executable, std::wstring commandLine, const std::wstring& folder,
                       DWORD flags) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        return {};
    }
    OwnedProcessInformation owned(started);
    return Process(std::move(owned.hProcess), owned.dwProcessId);
}

Process Process::Open(DWORD id) {
    OwnedHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    return process ? Process(std::move(process), id) : Process();
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        End();
        m_process = std::move(other.m_process);
        m_id = other.m_id;
    }
    return *this;
}

void Process::End() {
    if (!IsOpen() || EndsWithin(0)) return;
    ::TerminateProcess(m_process.Get(), 1);
    ::WaitForSingleObject(m_process.Get(), 5000);
}

bool Process::EndsWithin(DWORD milliseconds) const {
    return IsOpen() && ::WaitForSingleObject(m_process.Get(), milliseconds) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (IsOpen()) ::GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

int OpenHandleCount() {
    DWORD reported = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &reported) && reported > 0) return static_cast<int>(reported);
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}
