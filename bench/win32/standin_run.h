#pragma once
// What the Windows benchmarks share: finding the stand-in programs built beside them, and giving the stand-in
// its script. Header only, since every .cpp here is a program of its own.

#include <windows.h>

#include <chrono>
#include <string>

// The build tree's tests\fakes folder; a benchmark lives in <build>\bench\win32.
inline std::wstring FakesFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    for (int level = 0; level < 3; ++level) folder.resize(folder.find_last_of(L'\\'));
    return folder + L"\\tests\\fakes";
}

inline std::wstring StandinCommandLine() {
    return L"\"" + FakesFolder() + L"\\standin_downloader.exe\"";
}

// Writes the script into the temp folder and points the stand-ins started from now on at it.
class StandinScript {
public:
    explicit StandinScript(const std::string& lines) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"reelsift-bench-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
        HANDLE file = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
            CloseHandle(file);
        }
        SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", m_path.c_str());
    }
    ~StandinScript() {
        SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", nullptr);
        DeleteFileW(m_path.c_str());
    }
    StandinScript(const StandinScript&) = delete;
    StandinScript& operator=(const StandinScript&) = delete;

private:
    std::wstring m_path;
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
