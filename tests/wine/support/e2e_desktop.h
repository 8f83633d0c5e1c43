#pragma once
// The desktop around the program, as the end-to-end and background tests use it: the clipboard, the
// foreground, other processes, and screenshots.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/owned_handles.h"
#include "tests/support/win32_helpers.h"

// Puts the text on the clipboard as Unicode text; the clipboard's previous contents go.
void PutOnClipboard(const std::wstring& text);
void ClearClipboard();

// Brings the window to the front as the user's click would, waiting until it is there.
bool BringToFront(HWND window);

// A plain visible window of the calling thread, to stand in front of the program.
class OtherWindow {
public:
    OtherWindow();
    HWND Window() const { return m_window.Get(); }

private:
    OwnedWindow m_window;
};

// A running process another one started.
struct ChildProcess {
    DWORD id;
    std::wstring exeName;
};
// The running processes the given one started, from one look at the process list. A process counts only when it
// was created after the given one: parent ids outlive their processes, and Wine soon gives a freed id again.
std::vector<ChildProcess> ChildProcesses(DWORD parentId);
// The ids of those whose executable has the given name (any name when empty).
std::vector<DWORD> ChildProcessIds(DWORD parentId, const std::wstring& exeName = L"");
// Waits until there is at least one of them; their ids, empty when none came within the time.
std::vector<DWORD> WaitForChildProcesses(DWORD parentId, const std::wstring& exeName, DWORD timeoutMs);
// The id of the process that started the running one with this id; 0 when there is no such process.
DWORD ParentProcessId(DWORD processId);
// Ends a process this test caused to be started, and the processes it started in turn. The open process keeps
// its id from going to another process meanwhile.
void EndProcessTree(Process& process);

// A fingerprint of what the screen shows in the area: equal fingerprints, equal pixels (almost surely).
uint64_t ScreenFingerprint(const RECT& area);

// True when what the window shows on screen changes within a second and a half: an animation plays in it.
bool ShowsAnimation(HWND window);

// With REELSIFT_SCREENSHOTS naming a (Unix) folder, saves the screen's area there as <name>.png and returns
// true; otherwise does nothing.
bool SaveScreenshot(const std::string& name, const RECT& area);
