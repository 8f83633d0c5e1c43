#include "support/dialog_harness.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "framework/RegKey.h"
#include "support/template_layout.h"

BEGIN_MESSAGE_MAP(TestReelsiftDlg, CReelsiftDlg)
    ON_MESSAGE(TestReelsiftDlg::kEndTestMessage, &TestReelsiftDlg::OnEndTest)
    ON_MESSAGE(TestReelsiftDlg::kRunTestMessage, &TestReelsiftDlg::OnRunTest)
END_MESSAGE_MAP()

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Reelsift";

}  // namespace

std::wstring DefaultOutputFolder() {
    wchar_t documents[MAX_PATH] = L"";
    ::SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    return std::wstring(documents) + L"\\YouTube Files";
}

void ExpectDefaultPlacement(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const SIZE own = TemplateDialog().WindowSize();  // 966 x 604 on Windows at 100 %
    EXPECT_EQ(rect.right - rect.left, own.cx);
    EXPECT_EQ(rect.bottom - rect.top, own.cy);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_NEAR((rect.left + rect.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
}

void DeleteSettingsKey() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

void WriteRawSetting(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    CRegKey key;
    if (key.Create(HKEY_CURRENT_USER, kSettingsKey, KEY_WRITE) != ERROR_SUCCESS) return;
    ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

void WriteSetting(const wchar_t* name, const std::wstring& text) {
    WriteRawSetting(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring ReadSetting(const wchar_t* name) {
    wchar_t buffer[1024] = L"";
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

DialogHarness::DialogHarness(bool waitForStartup) : m_dialog(new TestReelsiftDlg) {
    m_thread.Reset(::CreateThread(nullptr, 0, &DialogHarness::UiThread, this, 0, &m_threadId));
    WaitFor(
        [this] {
            m_window = DialogWindowOf(m_threadId);
            return m_window != nullptr && ::IsWindowVisible(m_window);
        },
        10000);
    // The start-up show disables Download and puts up its bar as soon as its thread runs, which on a busy machine
    // can be a moment after the dialog shows: either way a test begins with the show under way.
    WaitFor([this] { return Visible(IDC_STARTUP_PROGRESS); }, 10000);
    if (waitForStartup) {
        // It takes the bar away and enables Download about 5.4 s later.
        WaitFor([this] { return Enabled(IDC_DOWNLOAD) && !Visible(IDC_STARTUP_PROGRESS); }, 30000);
    }
}

DialogHarness::~DialogHarness() {
    if (m_window) ::SendMessageW(m_window, TestReelsiftDlg::kEndTestMessage, 0, 0);
    if (m_thread) ::WaitForSingleObject(m_thread.Get(), 10000);
}

DWORD WINAPI DialogHarness::UiThread(LPVOID parameter) {
    static_cast<DialogHarness*>(parameter)->m_dialog->DoModal();
    return 0;
}

bool DialogHarness::JobWorkerEnded() const {
    // The pointer belongs to the dialog thread, which sets it when Download is clicked: copied there.
    CWinThreadPtr worker;
    RunOnDialogThread([&] { worker = m_dialog->m_pWorkerThread; });
    return !worker || ::WaitForSingleObject(worker->m_hThread.Get(), 0) == WAIT_OBJECT_0;
}

void DialogHarness::RunOnDialogThread(const std::function<void()>& work) const {
    ::SendMessageW(m_window, TestReelsiftDlg::kRunTestMessage, 0, reinterpret_cast<LPARAM>(&work));
}

void DialogHarness::Focus(int id) {
    ::SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
}

void DialogHarness::TypeAndLeave(int id, const std::wstring& typed) {
    Focus(id);
    SetText(id, typed);
    Focus(IDC_URL);
}

HWND DialogHarness::FocusedControl() const {
    // Focus is per input queue: share the dialog thread's queue for the question.
    const DWORD self = ::GetCurrentThreadId();
    ::AttachThreadInput(self, m_threadId, TRUE);
    HWND focus = ::GetFocus();
    ::AttachThreadInput(self, m_threadId, FALSE);
    return focus;
}

void DialogHarness::PressKey(UINT virtualKey) {
    // Posted to the focused control so that the modal loop's dialog manager translates it, as a real key.
    HWND target = FocusedControl();
    PostKey(target ? target : m_window, virtualKey);
    const unsigned handledBefore = m_keysHandled;
    ::PostMessageW(m_window, TestReelsiftDlg::kRunTestMessage, 0, reinterpret_cast<LPARAM>(&m_countKeyHandled));
    WaitFor([&] { return m_keysHandled != handledBefore; }, 10000);
}
