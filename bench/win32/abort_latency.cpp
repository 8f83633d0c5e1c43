// How long Abort takes to free the worker while the downloader is silent and its converter still runs:
// the time from Terminate() to the pending Read() returning, over 20 runs.
#include "bench/win32/standin_run.h"
#include "download/ToolProcess.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

// Milliseconds from Terminate() to the pending Read() returning; negative when the run could not be made.
double OneAbort() {
    ToolProcess tool;
    if (!tool.Start(StandinCommandLine())) return -1;
    char buffer[1024];
    unsigned long got = 0;
    if (!tool.Read(buffer, sizeof(buffer), got)) return -1;

    std::chrono::steady_clock::time_point terminatedAt;
    std::thread userInterface([&] {
        Sleep(50);
        terminatedAt = std::chrono::steady_clock::now();
        tool.Terminate();
    });
    while (tool.Read(buffer, sizeof(buffer), got)) {
    }
    const auto returnedAt = std::chrono::steady_clock::now();
    userInterface.join();
    return std::chrono::duration<double, std::milli>(returnedAt - terminatedAt).count();
}

}  // namespace

int wmain() {
    const std::string sleeper = Utf8(BuildTreePath("tests/fakes/sleeper.exe"));
    const StandinScript script("spawn \"" + sleeper + "\"\nout started\nsleep 60000\n");

    std::vector<double> latencies;
    for (int run = 0; run < 20; ++run) {
        const double latency = OneAbort();
        if (latency < 0) {
            std::fprintf(stderr, "abort_latency: the stand-in downloader did not start\n");
            return 1;
        }
        latencies.push_back(latency);
    }
    std::sort(latencies.begin(), latencies.end());
    const double median = (latencies[9] + latencies[10]) / 2;
    std::printf("abort_latency: Terminate() to Read() returning, silent tool with a running converter, 20 runs\n");
    std::printf("  median %.1f ms, maximum %.1f ms (target < 300 ms)\n", median, latencies.back());
    return 0;
}
