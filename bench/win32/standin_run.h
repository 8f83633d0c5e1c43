#pragma once
// What the Windows benchmarks that run the stand-in downloader share: its command line, and its script. Header
// only, since every .cpp here is a program of its own.

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "tests/support/win32_helpers.h"

inline std::wstring StandinCommandLine() {
    return Quoted(BuildTreePath("tests/fakes/standin_downloader.exe"));
}

// Writes the script into a temporary folder and points the stand-ins started from now on at it.
class StandinScript {
public:
    explicit StandinScript(const std::string& lines) : m_folder(L"reelsift-bench-") {
        const std::wstring path = m_folder.FilePath(L"script.txt");
        if (!WriteFileBytes(path, lines)) throw std::runtime_error("cannot write the stand-in's script");
        SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", path.c_str());
    }
    ~StandinScript() { SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", nullptr); }
    StandinScript(const StandinScript&) = delete;
    StandinScript& operator=(const StandinScript&) = delete;

private:
    TempFolder m_folder;
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
