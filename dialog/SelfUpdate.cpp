#include "dialog/ReelsiftDlg.h"

#include <string>

UINT CReelsiftDlg::SelfUpdateToolThread(LPVOID) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    std::wstring commandLine = L"youtube-dl.exe -U";
    PROCESS_INFORMATION process{};
    // Inherits nothing: it needs no handles, and holding a running job's pipe would keep that job open.
    // Not waited for: its handles go at once.
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                         &startup, &process)) {
        const OwnedProcessInformation started(process);
    }
    return 0;
}
