// Start-up cost: the median time from process start to the dialog being visible, for Reelsift and, side by
// side, for a minimal GUI program that shows one empty dialog (the floor under Wine), and their ratio. A third
// program shows Reelsift's own template with no code around it: what the template's controls cost, as against
// what Reelsift's start-up code adds.
#include <windows.h>

#include "bench/win32/program_folder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 15;

// Milliseconds from CreateProcess to a visible window of the process; negative when it never showed.
double TimeToVisible(const std::wstring& executable, const std::wstring& arguments, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + executable + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    if (!::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process)) {
        return -1;
    }
    double elapsed = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (FindShownWindowOf(process.dwProcessId)) {
            elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        ::Sleep(1);
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// A yardstick program built next to this benchmark.
std::wstring Yardstick(const wchar_t* name) {
    return WindowsPathOf(REELSIFT_BINARY_DIR "/bench/win32/") + name;
}

}  // namespace

int wmain() {
    // Reelsift runs from a folder of its own with its animations, as a user would start it.
    const std::wstring folder = PrepareProgramFolder(L"reelsift-startup-bench");
    const std::wstring program = folder + L"\\Reelsift.exe";
    const std::wstring emptyDialog = Yardstick(L"startup_floor_empty_dialog.exe");
    const std::wstring bareTemplate = Yardstick(L"startup_floor_bare_template.exe");

    std::vector<double> programMs, floorMs, templateMs;
    for (int run = 0; run < kRuns; ++run) {  // interleaved, so all three see the same machine
        floorMs.push_back(TimeToVisible(emptyDialog, L"", folder));
        programMs.push_back(TimeToVisible(program, L"", folder));
        templateMs.push_back(TimeToVisible(bareTemplate, L"", folder));
    }
    const double programMedian = Median(programMs);
    const double floorMedian = Median(floorMs);
    const double templateMedian = Median(templateMs);
    std::printf("start-up to visible dialog, median of %d runs\n", kRuns);
    std::printf("  Reelsift.exe                      %8.1f ms\n", programMedian);
    std::printf("  empty dialog (floor)              %8.1f ms\n", floorMedian);
    std::printf("  Reelsift's template, no code      %8.1f ms\n", templateMedian);
    std::printf("  ratio to the floor                %8.2f   (target <= 1.25)\n", programMedian / floorMedian);
    std::printf("  template alone, ratio to floor    %8.2f\n", templateMedian / floorMedian);
    return 0;
}
