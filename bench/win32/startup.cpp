// Start-up cost: the median time from process start to the dialog being visible, for Reelsift and, side by
// side, for a minimal program that shows one empty dialog (the floor under Wine), and their ratio.
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

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The floor: one empty dialog from a template in memory, nothing else.
int ShowEmptyDialog() {
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title, pointSize;
        wchar_t font[7];
    } dialog{};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT;
    dialog.header.cx = 300;
    dialog.header.cy = 200;
    dialog.pointSize = 9;
    std::copy_n(L"Tahoma", 7, dialog.font);
    return static_cast<int>(
        ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), &dialog.header, nullptr, &EmptyDialogProc, 0));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--empty-dialog") return ShowEmptyDialog();

    // Reelsift runs from a folder of its own with its animations, as a user would start it.
    const std::wstring folder = PrepareProgramFolder(L"reelsift-startup-bench");
    const std::wstring program = folder + L"\\Reelsift.exe";
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);

    std::vector<double> program_ms, floor_ms;
    for (int run = 0; run < kRuns; ++run) {  // interleaved, so both see the same machine
        floor_ms.push_back(TimeToVisible(self, L"--empty-dialog", folder));
        program_ms.push_back(TimeToVisible(program, L"", folder));
    }
    const double programMedian = Median(program_ms);
    const double floorMedian = Median(floor_ms);
    std::printf("start-up to visible dialog, median of %d runs\n", kRuns);
    std::printf("  Reelsift.exe          %8.1f ms\n", programMedian);
    std::printf("  empty dialog (floor)  %8.1f ms\n", floorMedian);
    std::printf("  ratio                 %8.2f   (target <= 1.25)\n", programMedian / floorMedian);
    return 0;
}
