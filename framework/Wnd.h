#pragma once
// CWnd: a window the program talks to through its handle, and, once subclassed, one whose messages run
// through the class's message map. Destroying a CWnd never destroys its window.

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

#include "framework/CmdTarget.h"
#include "framework/Gdi.h"
#include "framework/String.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    // The CWnd that subclassed (or, for dialogs, owns) the window; null for a window of no object.
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // The returned object stays valid as long as this window's CWnd lives.
    CWnd* GetDlgItem(int id) const;
    int GetDlgItemText(int id, CString& text) const;
    // Does nothing when there is no such control (or no window any more).
    void SetDlgItemText(int id, const wchar_t* text) const { ::SetDlgItemTextW(m_hWnd, id, text); }

    void SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    // Centres the window on the work area of its monitor.
    void CenterWindow();

    static const CWnd wndTop;

    HWND m_hWnd = nullptr;

protected:
    // Lets the window's own procedure (or, for a dialog, the dialog manager) handle the current message.
    LRESULT Default();

    void OnPaint() { Default(); }
    void OnDestroy() { Default(); }

    template <class T>
    HBRUSH DispatchCtlColor(UINT message, HBRUSH (T::*handler)(CDC*, CWnd*, UINT), HDC hdc, HWND control) {
        CDC dc(hdc);
        CWnd temporary;
        CWnd* window = FromHandlePermanent(control);
        if (!window) {
            temporary.m_hWnd = control;
            window = &temporary;
        }
        HBRUSH brush = (static_cast<T*>(this)->*handler)(&dc, window, message - WM_CTLCOLORMSGBOX);
        temporary.m_hWnd = nullptr;
        return brush;
    }

    // Runs the message through the message map; false when no entry took it, the entry asked for the default
    // handling, or its handler failed with an exception before that handling was done. No exception leaves it:
    // one from a handler is reported here, since it must not unwind through the window procedure's callers.
    bool DispatchToMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void AttachPermanent(HWND hwnd);
    void DetachPermanent();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_oldProc = nullptr;
    mutable std::mutex m_temporariesLock;
    mutable std::map<HWND, std::unique_ptr<CWnd>> m_temporaries;
};
