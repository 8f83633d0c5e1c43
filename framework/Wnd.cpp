#include "framework/Wnd.h"

#include "framework/ExceptionReport.h"

namespace {

const wchar_t kObjectProperty[] = L"Reelsift.CWnd";

struct CurrentMessage {
    CWnd* window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool defaultRequested = false;  // a dialog: the dialog manager is to handle it once the handler returns
    bool defaultDone = false;       // a subclassed window: its original procedure has handled it
    LRESULT defaultResult = 0;
};

// Messages nest (a handler may send another message to itself), so each thread keeps the innermost one.
thread_local CurrentMessage* t_currentMessage = nullptr;

// The message is the thread's current one while its handler runs, however the handler ends.
class CurrentMessageScope {
public:
    explicit CurrentMessageScope(CurrentMessage& current) : m_outer(t_currentMessage) { t_currentMessage = &current; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;
    ~CurrentMessageScope() { t_currentMessage = m_outer; }

private:
    CurrentMessage* m_outer;
};

}  // namespace

const CWnd CWnd::wndTop;

CWnd::~CWnd() {
    if (m_oldProc)
        UnsubclassWindow();
    else if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DetachPermanent();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProperty)) : nullptr;
}

void CWnd::AttachPermanent(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kObjectProperty, this);
}

void CWnd::DetachPermanent() {
    if (m_hWnd) ::RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return FALSE;
    AttachPermanent(hwnd);
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (!m_oldProc) {
        DetachPermanent();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (!hwnd || !m_oldProc) return nullptr;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    m_oldProc = nullptr;
    DetachPermanent();
    return hwnd;
}

CWnd* CWnd::GetDlgItem(int id) const {
    HWND child = ::GetDlgItem(m_hWnd, id);
    if (!child) return nullptr;
    if (CWnd* permanent = FromHandlePermanent(child)) return permanent;
    // Worker threads ask for controls too, so the cache of handle-only wrappers is shared under a lock.
    std::lock_guard<std::mutex> lock(m_temporariesLock);
    std::unique_ptr<CWnd>& wrapper = m_temporaries[child];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = child;
    }
    return wrapper.get();
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    HWND child = ::GetDlgItem(m_hWnd, id);
    text.Empty();
    if (!child) return 0;
    CWnd wrapper;
    wrapper.m_hWnd = child;
    wrapper.GetWindowText(text);
    wrapper.m_hWnd = nullptr;
    return text.GetLength();
}

void CWnd::GetWindowText(CString& text) const {
    // The length can change between the two calls (another thread may set the text): read until it fits.
    std::wstring buffer;
    for (int capacity = ::GetWindowTextLengthW(m_hWnd) + 1;; capacity *= 2) {
        buffer.assign(static_cast<size_t>(capacity), L'\0');
        const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), capacity);
        if (copied < capacity - 1 || capacity > (1 << 24)) {
            buffer.resize(static_cast<size_t>(copied > 0 ? copied : 0));
            break;
        }
    }
    text = CString(std::move(buffer));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (swpFlags) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
    return TRUE;
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : HWND_TOP, x, y, cx, cy, flags);
}

void CWnd::CenterWindow() {
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& area = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    // Keep the caption reachable when the window is larger than the work area.
    if (left < area.left) left = area.left;
    if (top < area.top) top = area.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWnd::Default() {
    CurrentMessage* current = t_currentMessage;
    if (!current || current->window != this) return 0;
    if (m_oldProc) {
        current->defaultResult =
            ::CallWindowProcW(m_oldProc, m_hWnd, current->message, current->wParam, current->lParam);
        current->defaultDone = true;
        return current->defaultResult;
    }
    current->defaultRequested = true;
    return 0;
}

bool CWnd::DispatchToMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message, wParam);
    if (!entry) return false;
    CurrentMessage current{this, message, wParam, lParam};
    const CurrentMessageScope scope(current);
    try {
        result = entry->thunk(this, message, wParam, lParam);
    } catch (...) {
        ReportCaughtException(L"a message handler");
        // The message gets its default handling, once: a handler that had it done already keeps its result.
        if (!current.defaultDone) return false;
        result = current.defaultResult;
        return true;
    }
    return !current.defaultRequested;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* window = FromHandlePermanent(hwnd);
    if (!window || !window->m_oldProc) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC original = window->m_oldProc;
    if (message == WM_NCDESTROY) {
        window->UnsubclassWindow();
        return ::CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    // A handler's exception ends in the dispatch, which then leaves the message to the original procedure.
    if (window->DispatchToMessageMap(message, wParam, lParam, result)) return result;
    return ::CallWindowProcW(original, hwnd, message, wParam, lParam);
}
