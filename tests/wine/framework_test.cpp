// The window framework layer: message-map dispatch for every kind of entry, control binding, strings, worker
// threads, and exceptions that reach a window procedure or a thread's entry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Framework.h"
#include "support/debug_output.h"
#include "support/dialog_harness.h"

namespace {

constexpr UINT kAppMessage = WM_APP + 7;
const UINT kRegisteredMessage = ::RegisterWindowMessageW(L"Reelsift.FrameworkTest");

// A control class with a map of its own: it must get its messages once bound.
class CRecordingStatic : public CStatic {
public:
    std::vector<std::wstring> calls;
    void OnPaint() {
        calls.push_back(L"paint");
        CStatic::OnPaint();
    }
    void OnDestroy() {
        calls.push_back(L"destroy");
        CStatic::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A dialog from the test's template 900, with one entry of every kind the program's dialog uses.
class CProbeDialog : public CDialog {
public:
    CProbeDialog() : CDialog(900) {}
    std::vector<std::wstring> calls;
    CButton button;
    CEdit edit;
    CComboBox combo;
    CRecordingStatic label;
    const OwnedBrush brush{::CreateSolidBrush(RGB(1, 2, 3))};

    void OnTimer(UINT_PTR id) { calls.push_back(L"timer " + std::to_wstring(id)); }
    void OnClose() { calls.push_back(L"close"); }
    void OnPaint() {
        calls.push_back(L"paint");
        CDialog::OnPaint();
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind) {
        calls.push_back(L"ctlcolor " + std::to_wstring(kind) + (dc->GetSafeHdc() ? L" dc" : L"") +
                        (wnd->m_hWnd ? L" wnd" : L""));
        return brush.Get();
    }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(static_cast<INT_PTR>(0x1234)); }
    LRESULT OnApp(WPARAM w, LPARAM l) {
        calls.push_back(L"app " + std::to_wstring(w) + L" " + std::to_wstring(l));
        return 77;
    }
    LRESULT OnRegistered(WPARAM, LPARAM) {
        calls.push_back(L"registered");
        return 0;
    }
    LRESULT OnEnd(WPARAM, LPARAM) {
        EndDialog(0);
        return 0;
    }
    void OnClicked() { calls.push_back(L"clicked"); }
    void OnStaticClicked() { calls.push_back(L"static clicked"); }
    void OnKillFocus() { calls.push_back(L"killfocus"); }
    void OnSetFocus() { calls.push_back(L"setfocus"); }
    void OnChange() { calls.push_back(L"change"); }
    void OnSelChange() { calls.push_back(L"selchange"); }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 101, button);
        DDX_Control(pDX, 102, edit);
        DDX_Control(pDX, 103, combo);
        DDX_Control(pDX, 104, label);
    }
    DECLARE_MESSAGE_MAP()
};

constexpr UINT kEndMessage = WM_APP + 8;

BEGIN_MESSAGE_MAP(CProbeDialog, CDialog)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(kAppMessage, &CProbeDialog::OnApp)
    ON_MESSAGE(kEndMessage, &CProbeDialog::OnEnd)
    ON_REGISTERED_MESSAGE(kRegisteredMessage, &CProbeDialog::OnRegistered)
    ON_BN_CLICKED(101, &CProbeDialog::OnClicked)
    ON_EN_KILLFOCUS(102, &CProbeDialog::OnKillFocus)
    ON_EN_SETFOCUS(102, &CProbeDialog::OnSetFocus)
    ON_EN_CHANGE(102, &CProbeDialog::OnChange)
    ON_CBN_SELCHANGE(103, &CProbeDialog::OnSelChange)
    ON_STN_CLICKED(104, &CProbeDialog::OnStaticClicked)
END_MESSAGE_MAP()

// Runs the dialog modally on a thread of its own, as the program does, and ends it when the test is done.
class ModalRun {
public:
    explicit ModalRun(CDialog& dialog) : m_dialog(dialog) {
        m_thread.Reset(::CreateThread(nullptr, 0, &ModalRun::Run, this, 0, &m_threadId));
        // Visible only once its initialisation (and with it the binding) is done.
        for (int i = 0; i < 500; ++i, ::Sleep(10)) {
            HWND window = DialogWindowOf(m_threadId);
            if (window && ::IsWindowVisible(window)) {
                m_window = window;
                break;
            }
        }
    }
    ~ModalRun() {
        if (::IsWindow(m_window)) ::SendMessageW(m_window, kEndMessage, 0, 0);
        ::WaitForSingleObject(m_thread.Get(), 5000);
    }
    HWND Window() const { return m_window; }
    // True when the modal loop has ended (the dialog closed itself).
    bool Ended(DWORD waitMs) const { return ::WaitForSingleObject(m_thread.Get(), waitMs) == WAIT_OBJECT_0; }
    INT_PTR Result() const { return m_result; }

private:
    static DWORD WINAPI Run(LPVOID parameter) {
        auto* self = static_cast<ModalRun*>(parameter);
        self->m_result = self->m_dialog.DoModal();
        return 0;
    }

    CDialog& m_dialog;
    OwnedHandle m_thread;
    DWORD m_threadId = 0;
    HWND m_window = nullptr;
    INT_PTR m_result = 0;
};

// ---- exceptions in handlers ----

constexpr UINT kThrowBeforeDefault = WM_APP + 20;
constexpr UINT kThrowAfterDefault = WM_APP + 21;
constexpr UINT kAnswer = WM_APP + 22;
constexpr LRESULT kOriginalAnswer = 41;

std::atomic<int> g_originalCalls{0};

// The own procedure of the window that CThrowingWnd subclasses: it counts the messages that reach it.
LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kThrowBeforeDefault || message == kThrowAfterDefault) {
        ++g_originalCalls;
        return kOriginalAnswer;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class CThrowingWnd : public CWnd {
public:
    LRESULT OnThrowBeforeDefault(WPARAM, LPARAM) { return std::wstring().at(1); }
    LRESULT OnThrowAfterDefault(WPARAM, LPARAM) {
        Default();
        throw new CFileException(ERROR_ACCESS_DENIED);
    }
    LRESULT OnAnswer(WPARAM, LPARAM) { return 7; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_MESSAGE(kThrowBeforeDefault, &CThrowingWnd::OnThrowBeforeDefault)
    ON_MESSAGE(kThrowAfterDefault, &CThrowingWnd::OnThrowAfterDefault)
    ON_MESSAGE(kAnswer, &CThrowingWnd::OnAnswer)
END_MESSAGE_MAP()

// A dialog whose initialisation and one handler throw.
class CThrowingDialog : public CDialog {
public:
    CThrowingDialog() : CDialog(900) {}
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        throw std::bad_alloc();
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::out_of_range("no such control"); }
    LRESULT OnEnd(WPARAM, LPARAM) {
        EndDialog(5);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingDialog, CDialog)
    ON_MESSAGE(kThrowBeforeDefault, &CThrowingDialog::OnThrow)
    ON_MESSAGE(kEndMessage, &CThrowingDialog::OnEnd)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMap, DispatchesEveryKindOfEntryToItsHandler) {
    CProbeDialog dialog;
    ModalRun run(dialog);
    HWND hwnd = run.Window();
    ASSERT_NE(hwnd, nullptr);
    HWND edit = ::GetDlgItem(hwnd, 102);

    ::SendMessageW(hwnd, WM_TIMER, 5, 0);
    ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(::SendMessageW(hwnd, kAppMessage, 3, 4), 77);
    ::SendMessageW(hwnd, kRegisteredMessage, 0, 0);
    {
        const WindowDc dc = GetWindowDc(hwnd);
        const auto wParam = reinterpret_cast<WPARAM>(dc.Get());
        EXPECT_EQ(::SendMessageW(hwnd, WM_CTLCOLOREDIT, wParam, reinterpret_cast<LPARAM>(edit)),
                  reinterpret_cast<LRESULT>(dialog.brush.Get()));
        EXPECT_EQ(::SendMessageW(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)),
                  reinterpret_cast<LRESULT>(dialog.brush.Get()));
    }
    EXPECT_EQ(::SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0), 0x1234);
    ::SendMessageW(::GetDlgItem(hwnd, 101), BM_CLICK, 0, 0);
    ::SendMessageW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    ::SetWindowTextW(edit, L"x");
    ::SendMessageW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(hwnd, 101)), TRUE);
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(103, CBN_SELCHANGE), 0);
    ::SendMessageW(::GetDlgItem(hwnd, 104), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageW(::GetDlgItem(hwnd, 104), WM_LBUTTONUP, 0, 0);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::SendMessageW(hwnd, WM_NULL, 0, 0);

    const auto& calls = dialog.calls;
    auto has = [&](const std::wstring& call) { return std::find(calls.begin(), calls.end(), call) != calls.end(); };
    EXPECT_TRUE(has(L"timer 5"));
    EXPECT_TRUE(has(L"close"));
    EXPECT_TRUE(::IsWindow(hwnd));  // the close handler decided not to close
    EXPECT_TRUE(has(L"app 3 4"));
    EXPECT_TRUE(has(L"registered"));
    EXPECT_TRUE(has(L"ctlcolor " + std::to_wstring(CTLCOLOR_EDIT) + L" dc wnd"));
    EXPECT_TRUE(has(L"ctlcolor " + std::to_wstring(CTLCOLOR_DLG) + L" dc wnd"));
    EXPECT_TRUE(has(L"clicked"));
    EXPECT_TRUE(has(L"setfocus"));
    EXPECT_TRUE(has(L"change"));
    EXPECT_TRUE(has(L"killfocus"));
    EXPECT_TRUE(has(L"selchange"));
    EXPECT_TRUE(has(L"static clicked"));
    EXPECT_TRUE(has(L"paint"));
}

TEST(MessageMap, TheBaseMapEndsTheDialogOnCancelWhenTheClassHasNoEntryOfItsOwn) {
    CProbeDialog dialog;
    ModalRun run(dialog);
    ASSERT_NE(run.Window(), nullptr);
    ::SendMessageW(run.Window(), WM_COMMAND, IDOK, 0);  // IDOK: an entry of CDialog's map
    EXPECT_TRUE(run.Ended(5000));
    EXPECT_EQ(run.Result(), IDOK);
}

TEST(DataExchange, BindingSubclassesSoTheControlsOwnMapRuns) {
    CProbeDialog dialog;
    ModalRun run(dialog);
    HWND hwnd = run.Window();
    ASSERT_NE(hwnd, nullptr);
    HWND label = ::GetDlgItem(hwnd, 104);
    EXPECT_EQ(dialog.label.m_hWnd, label);
    EXPECT_EQ(CWnd::FromHandlePermanent(label), &dialog.label);
    EXPECT_EQ(dialog.GetDlgItem(104), &dialog.label);
    ::RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(std::find(dialog.label.calls.begin(), dialog.label.calls.end(), L"paint"), dialog.label.calls.end());
    dialog.combo.AddString(L"first");
    dialog.combo.AddString(L"second");
    CString text;
    dialog.combo.GetLBText(1, text);
    EXPECT_EQ(text, L"second");
    dialog.combo.GetLBText(7, text);
    EXPECT_TRUE(text.IsEmpty());

    // An unbound control is reached through one stable wrapper.
    CWnd* plain = dialog.GetDlgItem(105);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain, dialog.GetDlgItem(105));
    EXPECT_EQ(CWnd::FromHandlePermanent(plain->m_hWnd), nullptr);
    plain->SetWindowText(L"typed");
    EXPECT_EQ(dialog.GetDlgItemText(105, text), 5);
    EXPECT_EQ(text, L"typed");
    EXPECT_EQ(dialog.GetDlgItem(999), nullptr);

    ::SendMessageW(hwnd, kEndMessage, 0, 0);
    EXPECT_TRUE(run.Ended(5000));
    EXPECT_NE(std::find(dialog.label.calls.begin(), dialog.label.calls.end(), L"destroy"), dialog.label.calls.end());
    EXPECT_EQ(dialog.label.m_hWnd, nullptr);  // unbound when the window went
}

TEST(String, OperationsTheProgramUses) {
    CString number;
    number.Format(L"%d", -1);
    EXPECT_EQ(number, L"-1");
    EXPECT_EQ(CString(L"a") + L"bc", L"abc");
    CString grown;
    for (int i = 0; i < 1000; ++i) grown += L"0123456789";
    EXPECT_EQ(grown.GetLength(), 10000);
}

TEST(Threads, TheThreadObjectOutlivesTheThreadWhileHeldAndIsFreedAfter) {
    static std::atomic<int> runs{0};
    CWinThreadPtr kept = AfxBeginThread(
        [](LPVOID parameter) -> UINT {
            ++*static_cast<std::atomic<int>*>(parameter);
            return 7;
        },
        &runs);
    ASSERT_NE(kept, nullptr);
    ASSERT_EQ(::WaitForSingleObject(kept->m_hThread.Get(), 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    EXPECT_TRUE(::GetExitCodeThread(kept->m_hThread.Get(), &exitCode));  // the handle is still ours to use
    EXPECT_EQ(exitCode, 7u);
    EXPECT_EQ(runs.load(), 1);

    std::weak_ptr<CWinThread> watched;
    {
        CWinThreadPtr dropped = AfxBeginThread(
            [](LPVOID) -> UINT {
                ::Sleep(500);
                return 0;
            },
            nullptr);
        watched = dropped;
    }
    EXPECT_FALSE(watched.expired());  // the running thread holds it
    for (int i = 0; i < 500 && !watched.expired(); ++i) ::Sleep(10);
    EXPECT_TRUE(watched.expired());  // and lets it go when it ends
}

TEST(ExceptionBoundaries, AHandlersExceptionIsReportedAndTheMessageGetsItsDefaultHandlingOnce) {
    DebugOutputRecorder debugger;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CountingWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Reelsift.CountingWindow";
    ::RegisterClassW(&windowClass);
    HWND hwnd = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    CThrowingWnd window;
    ASSERT_TRUE(window.SubclassWindow(hwnd));
    g_originalCalls = 0;

    EXPECT_EQ(::SendMessageW(hwnd, kThrowBeforeDefault, 0, 0), kOriginalAnswer);
    EXPECT_EQ(g_originalCalls, 1);
    EXPECT_TRUE(debugger.HasLineWith({L"a message handler", L"out_of_range"}));
    EXPECT_EQ(::SendMessageW(hwnd, kThrowAfterDefault, 0, 0), kOriginalAnswer);
    EXPECT_EQ(g_originalCalls, 2) << "the default handling ran twice";
    EXPECT_TRUE(debugger.HasLineWith({L"a message handler", L"file error 5"}));
    EXPECT_EQ(::SendMessageW(hwnd, kAnswer, 0, 0), 7);  // the window goes on
    ::DestroyWindow(hwnd);

    // A dialog: it opens although its initialisation failed, and the dialog manager answers for a failed handler.
    CThrowingDialog dialog;
    ModalRun run(dialog);
    ASSERT_NE(run.Window(), nullptr);
    EXPECT_TRUE(debugger.HasLineWith({L"a dialog's initialisation", L"bad_alloc"}));
    EXPECT_EQ(::SendMessageW(run.Window(), kThrowBeforeDefault, 0, 0), 0);
    EXPECT_TRUE(debugger.HasLineWith({L"a message handler", L"no such control"}));
    ::SendMessageW(run.Window(), kEndMessage, 0, 0);
    EXPECT_TRUE(run.Ended(5000));
    EXPECT_EQ(run.Result(), 5);
}

TEST(ExceptionBoundaries, AThreadWhoseProcedureThrowsEndsWithItsExitCodeAndFreesItsObject) {
    DebugOutputRecorder debugger;
    std::weak_ptr<CWinThread> watched;
    {
        CWinThreadPtr thread = AfxBeginThread([](LPVOID) -> UINT { throw std::out_of_range("no such item"); }, nullptr);
        ASSERT_NE(thread, nullptr);
        ASSERT_EQ(::WaitForSingleObject(thread->m_hThread.Get(), 5000), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        EXPECT_TRUE(::GetExitCodeThread(thread->m_hThread.Get(), &exitCode));
        EXPECT_EQ(exitCode, kExitCodeAfterException);
        watched = thread;
    }
    EXPECT_TRUE(watched.expired());
    EXPECT_TRUE(debugger.HasLineWith({L"a worker thread", L"no such item"}));
}
