// Start-up cost: the median time from process start to the dialog being visible, for Reelsift and, side by
// side, for a minimal GUI program that shows one empty dialog (the floor under Wine), and their ratio. A third
// program shows Reelsift's own template with no code around it: what the template's controls cost, as against
// what Reelsift's start-up code adds.
#include <windows.h>

#include "tests/support/desktop_windows.h"
#include "tests/support/win32_helpers.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 15;

// Milliseconds from CreateProcess to a visible window of the process; negative when it never showed.
double TimeToVisible(const std::wstring& executable, const std::wstring& folder) {
    const auto start = std::chrono::steady_clock::now();
    const Process process = Process::Start(executable, Quoted(executable), folder);
    if (!process.IsOpen()) return -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (FindShownWindowOf(process.Id())) {
            return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        ::Sleep(1);
    }
    return -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int wmain() {
    // Reelsift runs from a folder of its own with its animations, as a user would start it.
    ProgramFolder folder(L"reelsift-startup-bench-");
    const std::wstring program = folder.AddProgram();
    folder.AddAnimations();
    const std::wstring emptyDialog = BuildTreePath("bench/win32/startup_floor_empty_dialog.exe");
    const std::wstring bareTemplate = BuildTreePath("bench/win32/startup_floor_bare_template.exe");

    std::vector<double> programMs, floorMs, templateMs;
    for (int run = 0; run < kRuns; ++run) {  // interleaved, so all three see the same machine
        floorMs.push_back(TimeToVisible(emptyDialog, folder.Path()));
        programMs.push_back(TimeToVisible(program, folder.Path()));
        templateMs.push_back(TimeToVisible(bareTemplate, folder.Path()));
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
