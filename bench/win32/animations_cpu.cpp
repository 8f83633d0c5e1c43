// All five status animations playing at once for 10 s: the process's CPU time as a share of one core.
// Usage: bench_animations_cpu [folder with the GIFs]   (default: gifs, relative to the current folder)

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "picture/PictureEx.h"
#include "tests/support/desktop_windows.h"
#include "tests/support/owned_handles.h"

namespace {

constexpr DWORD kPlayMilliseconds = 10000;

struct Placement {
    const wchar_t* file;
    int x;
    int y;
};

// Where the dialog puts the five controls, in pixels.
constexpr Placement kAnimations[] = {
    {L"url.gif", 0, 0},      {L"downloading.gif", 758, 60}, {L"converting.gif", 362, 156},
    {L"eyes.gif", 222, 270}, {L"ready.gif", 574, 388},
};

ULONGLONG ProcessCpu100ns() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = argc > 1 ? argv[1] : L"gifs";
    const OwnedWindow frame(::CreateWindowExW(0, L"STATIC", L"animations", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 966,
                                              604, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!frame) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }

    std::unique_ptr<CPictureEx> pictures[std::size(kAnimations)];  // freed before the frame goes
    for (size_t i = 0; i < std::size(kAnimations); ++i) {
        HWND control = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, kAnimations[i].x, kAnimations[i].y,
                                         16, 16, frame.Get(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        pictures[i] = std::make_unique<CPictureEx>();
        pictures[i]->SubclassWindow(control);
        const std::wstring path = folder + L"\\" + kAnimations[i].file;
        if (!pictures[i]->LoadFromFile(path.c_str())) {
            std::fprintf(stderr, "cannot load %ls\n", path.c_str());
            return 1;
        }
        pictures[i]->Draw();
    }
    PumpMessagesFor(500);  // let every thread start and the first paints settle

    const ULONGLONG cpuBefore = ProcessCpu100ns();
    const ULONGLONG wallBefore = ::GetTickCount64();
    PumpMessagesFor(kPlayMilliseconds);
    const double cpuMs = static_cast<double>(ProcessCpu100ns() - cpuBefore) / 10000.0;
    const double wallMs = static_cast<double>(::GetTickCount64() - wallBefore);

    for (auto& picture : pictures) picture->Stop();
    std::printf("five animations for %.1f s: %.0f ms of CPU, %.2f%% of one core (target: under 3%%)\n", wallMs / 1000.0,
                cpuMs, 100.0 * cpuMs / wallMs);
    return 0;
}
