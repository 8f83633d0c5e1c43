#include "support/e2e_desktop.h"

#include <tlhelp32.h>

#include <set>

#include "support/dialog_window.h"
#include "support/screen_capture.h"
#include "tests/support/win32_helpers.h"

namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The clipboard may be held for a moment by the program's watcher.
OpenedClipboard OpenClipboardPatiently() {
    OpenedClipboard clipboard;
    DialogWindow::WaitFor(
        [&] {
            clipboard = OpenClipboardFor(nullptr);
            return static_cast<bool>(clipboard);
        },
        2000);
    return clipboard;
}

}  // namespace

void PutOnClipboard(const std::wstring& text) {
    const OpenedClipboard clipboard = OpenClipboardPatiently();
    if (!clipboard) return;
    ::EmptyClipboard();
    OwnedGlobal block = GlobalCopyOf(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    if (block && ::SetClipboardData(CF_UNICODETEXT, block.Get())) block.Release();  // the clipboard owns it now
}

void ClearClipboard() {
    const OpenedClipboard clipboard = OpenClipboardPatiently();
    if (clipboard) ::EmptyClipboard();
}

bool BringToFront(HWND window) {
    return DialogWindow::WaitFor(
        [window] {
            if (::GetForegroundWindow() == window) return true;
            ::SetForegroundWindow(window);
            return false;
        },
        3000);
}

OtherWindow::OtherWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &PlainWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ReelsiftTestOtherWindow";
    ::RegisterClassW(&windowClass);  // fails harmlessly when an earlier test registered it
    m_window.Reset(::CreateWindowExW(0, windowClass.lpszClassName, L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     20, 20, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr));
}

namespace {

// The creation time of a running process, or 0 when it cannot be read.
ULONGLONG CreationTime(DWORD processId) {
    OwnedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !::GetProcessTimes(process.Get(), &created, &exited, &kernel, &user)) return 0;
    return (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

}  // namespace

std::vector<ChildProcess> ChildProcesses(DWORD parentId) {
    std::vector<ChildProcess> children;
    const ULONGLONG parentCreated = CreationTime(parentId);
    if (parentCreated == 0) return children;
    OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID != parentId || entry.th32ProcessID == parentId) continue;
        if (CreationTime(entry.th32ProcessID) < parentCreated) continue;
        children.push_back({entry.th32ProcessID, entry.szExeFile});
    }
    return children;
}

std::vector<DWORD> ChildProcessIds(DWORD parentId, const std::wstring& exeName) {
    std::vector<DWORD> ids;
    for (const ChildProcess& child : ChildProcesses(parentId)) {
        if (exeName.empty() || ::lstrcmpiW(child.exeName.c_str(), exeName.c_str()) == 0) ids.push_back(child.id);
    }
    return ids;
}

std::vector<DWORD> WaitForChildProcesses(DWORD parentId, const std::wstring& exeName, DWORD timeoutMs) {
    std::vector<DWORD> ids;
    DialogWindow::WaitFor(
        [&] {
            ids = ChildProcessIds(parentId, exeName);
            return !ids.empty();
        },
        timeoutMs);
    return ids;
}

DWORD ParentProcessId(DWORD processId) {
    OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == processId) return entry.th32ParentProcessID;
    }
    return 0;
}

void EndProcessTree(Process& process) {
    if (!process.IsOpen()) return;
    for (DWORD id : ChildProcessIds(process.Id())) {
        Process child = Process::Open(id);
        EndProcessTree(child);
    }
    process.End();
}

uint64_t ScreenFingerprint(const RECT& area) {
    const ScreenCapture capture(area);
    uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixels
    for (int y = 0; y < capture.Height(); ++y) {
        for (int x = 0; x < capture.Width(); ++x) hash = (hash ^ capture.At(x, y)) * 1099511628211ull;
    }
    return hash;
}

bool ShowsAnimation(HWND window) {
    RECT area{};
    ::GetWindowRect(window, &area);
    std::set<uint64_t> seen;
    for (int sample = 0; sample < 15; ++sample) {
        seen.insert(ScreenFingerprint(area));
        DialogWindow::Pause(100);
    }
    return seen.size() > 1;
}

bool SaveScreenshot(const std::string& name, const RECT& area) {
    const std::string folder = Utf8(EnvironmentValue(L"REELSIFT_SCREENSHOTS"));
    if (folder.empty()) return false;
    // ImageMagick's import is a Unix program; Wine starts it as one. It writes to a side name first, so the
    // finished file appears whole.
    const std::string target = folder + "/" + name + ".png";
    const std::string partial = folder + "/." + name + ".partial.png";
    const std::string geometry = std::to_string(area.right - area.left) + "x" + std::to_string(area.bottom - area.top) +
                                 "+" + std::to_string(area.left) + "+" + std::to_string(area.top);
    std::string script =
        "import -window root -crop " + geometry + " +repage '" + partial + "' && mv '" + partial + "' '" + target + "'";
    std::wstring commandLine = L"/bin/sh -c \"" + Wide(script) + L"\"";
    const std::wstring targetPath = WindowsPathOf(target);
    ::DeleteFileW(targetPath.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return false;
    }
    const OwnedProcessInformation child(started);
    // A Unix child's handle cannot be waited on under Wine: wait for the file instead.
    return DialogWindow::WaitFor([&] { return ::GetFileAttributesW(targetPath.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                 15000);
}
