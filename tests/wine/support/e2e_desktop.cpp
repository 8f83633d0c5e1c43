#include "support/e2e_desktop.h"

#include <tlhelp32.h>

#include <cstring>
#include <set>

#include "support/dialog_harness.h"

namespace {

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() {
        if (handle && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
};

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The clipboard may be held for a moment by the program's watcher.
bool OpenClipboardPatiently() {
    return DialogHarness::WaitFor([] { return ::OpenClipboard(nullptr) != FALSE; }, 2000);
}

std::string EnvironmentText(const char* name) {
    char value[1024] = "";
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof(value));
    return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

std::wstring UnixToWindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

}  // namespace

void PutOnClipboard(const std::wstring& text) {
    if (!OpenClipboardPatiently()) return;
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(::GlobalLock(block), text.c_str(), bytes);
        ::GlobalUnlock(block);
        if (!::SetClipboardData(CF_UNICODETEXT, block)) ::GlobalFree(block);  // the clipboard owns it otherwise
    }
    ::CloseClipboard();
}

void ClearClipboard() {
    if (!OpenClipboardPatiently()) return;
    ::EmptyClipboard();
    ::CloseClipboard();
}

bool BringToFront(HWND window) {
    return DialogHarness::WaitFor(
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
    m_window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                 20, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
}

OtherWindow::~OtherWindow() {
    if (m_window) ::DestroyWindow(m_window);
}

namespace {

// The creation time of a running process, or 0 when it cannot be read.
ULONGLONG CreationTime(DWORD processId) {
    HandleCloser process{::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process.handle || !::GetProcessTimes(process.handle, &created, &exited, &kernel, &user)) return 0;
    return (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

}  // namespace

std::vector<ChildProcess> ChildProcesses(DWORD parentId) {
    std::vector<ChildProcess> children;
    const ULONGLONG parentCreated = CreationTime(parentId);
    if (parentCreated == 0) return children;
    HandleCloser snapshot{::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    if (snapshot.handle == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.handle, &entry); more;
         more = ::Process32NextW(snapshot.handle, &entry)) {
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

DWORD ParentProcessId(DWORD processId) {
    HandleCloser snapshot{::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    if (snapshot.handle == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.handle, &entry); more;
         more = ::Process32NextW(snapshot.handle, &entry)) {
        if (entry.th32ProcessID == processId) return entry.th32ParentProcessID;
    }
    return 0;
}

void EndProcessTree(DWORD processId) {
    for (DWORD child : ChildProcessIds(processId)) EndProcessTree(child);
    HandleCloser process{::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId)};
    if (!process.handle) return;
    ::TerminateProcess(process.handle, 1);
    ::WaitForSingleObject(process.handle, 5000);
}

uint64_t ScreenFingerprint(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 0;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixels
    if (bitmap) {
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        ::GdiFlush();
        const auto* byte = static_cast<const unsigned char*>(bits);
        for (size_t i = 0, n = static_cast<size_t>(width) * height * 4; i < n; ++i) {
            hash = (hash ^ byte[i]) * 1099511628211ull;
        }
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return hash;
}

bool ShowsAnimation(HWND window) {
    RECT area{};
    ::GetWindowRect(window, &area);
    std::set<uint64_t> seen;
    for (int sample = 0; sample < 15; ++sample) {
        seen.insert(ScreenFingerprint(area));
        DialogHarness::Pause(100);
    }
    return seen.size() > 1;
}

bool SaveScreenshot(const std::string& name, const RECT& area) {
    const std::string folder = EnvironmentText("REELSIFT_SCREENSHOTS");
    if (folder.empty()) return false;
    // ImageMagick's import is a Unix program; Wine starts it as one. It writes to a side name first, so the
    // finished file appears whole.
    const std::string target = folder + "/" + name + ".png";
    const std::string partial = folder + "/." + name + ".partial.png";
    const std::string geometry = std::to_string(area.right - area.left) + "x" + std::to_string(area.bottom - area.top) +
                                 "+" + std::to_string(area.left) + "+" + std::to_string(area.top);
    std::string script =
        "import -window root -crop " + geometry + " +repage '" + partial + "' && mv '" + partial + "' '" + target + "'";
    std::wstring commandLine = L"/bin/sh -c \"";
    for (char c : script) commandLine += static_cast<wchar_t>(static_cast<unsigned char>(c));
    commandLine += L"\"";
    const std::wstring targetPath = UnixToWindowsPath(target);
    ::DeleteFileW(targetPath.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return false;
    }
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    // A Unix child's handle cannot be waited on under Wine: wait for the file instead.
    return DialogHarness::WaitFor([&] { return ::GetFileAttributesW(targetPath.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                  15000);
}
