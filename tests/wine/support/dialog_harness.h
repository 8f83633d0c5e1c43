#pragma once
// Runs the real main dialog from template 102 on a user-interface thread of its own, the way the program
// runs it, and drives it from the test's thread with real messages: clicks, focus changes, texts, timers.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "dialog/ReelsiftDlg.h"
#include "framework/Handles.h"
#include "support/dialog_window.h"

// The dialog with its protected state opened to the tests, and a way to end its modal loop (the program
// itself never ends it: it exits from its close handler).
class TestReelsiftDlg : public CReelsiftDlg {
public:
    static constexpr UINT kEndTestMessage = WM_APP + 0x100;
    static constexpr UINT kRunTestMessage = WM_APP + 0x101;

    using CReelsiftDlg::GetOutputFolder;
    using CReelsiftDlg::KillFfmpegProcesses;
    using CReelsiftDlg::m_bRunning;
    using CReelsiftDlg::m_gifConverting;
    using CReelsiftDlg::m_gifDownloading;
    using CReelsiftDlg::m_gifEyes;
    using CReelsiftDlg::m_gifReady;
    using CReelsiftDlg::m_gifUrl;
    using CReelsiftDlg::m_nid;
    using CReelsiftDlg::m_pWorkerThread;
    using CReelsiftDlg::m_strCommandLine;
    using CReelsiftDlg::m_tool;
    using CReelsiftDlg::SaveSettings;
    using CReelsiftDlg::SetOutputFolder;

    // Where the jobs' taskbar objects come from; the shell's while empty. Set and read on the dialog's thread.
    std::function<ITaskbarList3*()> makeTaskbarList;

protected:
    ITaskbarList3* CreateTaskbarList() override {
        return makeTaskbarList ? makeTaskbarList() : CReelsiftDlg::CreateTaskbarList();
    }
    LRESULT OnEndTest(WPARAM, LPARAM) {
        EndDialog(0);
        return 0;
    }
    LRESULT OnRunTest(WPARAM, LPARAM work) {
        (*reinterpret_cast<const std::function<void()>*>(work))();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// The output folder a first start shows: the Documents folder followed by "\YouTube Files".
std::wstring DefaultOutputFolder();

// Expects the first start's placement: the window's own size, centred on the work area of its monitor.
void ExpectDefaultPlacement(HWND window);

// Deletes the program's settings key, so a test starts as on a fresh account.
void DeleteSettingsKey();
// Writes one settings value (type and raw bytes as given).
void WriteRawSetting(const wchar_t* name, DWORD type, const void* data, DWORD size);
void WriteSetting(const wchar_t* name, const std::wstring& text);
std::wstring ReadSetting(const wchar_t* name);

class DialogHarness : public DialogWindow {
public:
    // Opens the dialog and waits until it is shown and its start-up show has begun. With waitForStartup, also
    // until the show has ended and enabled the Download button.
    explicit DialogHarness(bool waitForStartup = true);
    ~DialogHarness();
    DialogHarness(const DialogHarness&) = delete;
    DialogHarness& operator=(const DialogHarness&) = delete;

    TestReelsiftDlg& Dialog() { return *m_dialog; }

    // Runs the work on the dialog's thread and waits for it, for what only the window's own thread may do.
    void RunOnDialogThread(const std::function<void()>& work) const;
    // Moves the keyboard focus to a control as the dialog manager does (the old focus gets its kill-focus).
    void Focus(int id);
    // Types the text into the box and leaves it for the link box, so that the box's kill-focus handler runs.
    void TypeAndLeave(int id, const std::wstring& typed);
    HWND FocusedControl() const;
    // A key press delivered through the dialog manager, as from the keyboard (Enter, Esc, ...).
    void PressKey(UINT virtualKey);

    // The download job's worker thread has ended (or none was started): the dialog is back in its idle state.
    bool JobWorkerEnded() const;
    bool WaitUntilJobWorkerEnds(DWORD timeoutMs) const {
        return WaitFor([this] { return JobWorkerEnded(); }, timeoutMs);
    }

private:
    static DWORD WINAPI UiThread(LPVOID parameter);

    TestReelsiftDlg* m_dialog;  // never freed: the dialog's threads may outlive the window
    // Posted after a key: posted messages keep their order, so once it has run the key has been handled.
    std::atomic<unsigned> m_keysHandled{0};
    const std::function<void()> m_countKeyHandled{[this] { ++m_keysHandled; }};
    OwnedHandle m_thread;
    DWORD m_threadId = 0;
};
