#include "dialog/ReelsiftDlg.h"

#include <string>

#include "download/LinkCheck.h"

namespace {

constexpr DWORD kClipboardPollMs = 1000;

// The clipboard's Unicode text, or the empty string; the clipboard is open only for the copy.
std::wstring ReadClipboardText(HWND owner) {
    const OpenedClipboard clipboard = OpenClipboardFor(owner);
    if (!clipboard) return std::wstring();
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::wstring();
    const LockedGlobal locked = LockGlobal(data);
    if (!locked) return std::wstring();
    // The block may be larger than the text; never read past it.
    const auto* text = static_cast<const wchar_t*>(locked.Get());
    const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
    size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    return std::wstring(text, length);
}

}  // namespace

UINT CReelsiftDlg::ClipboardWatchThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    for (;;) {
        ::Sleep(kClipboardPollMs);
        if (dlg->m_chkAutoPaste.GetCheck() != BST_CHECKED) continue;
        if (::GetForegroundWindow() != dlg->m_hWnd) continue;
        CString box;
        dlg->GetDlgItemText(IDC_URL, box);
        const std::wstring clipboard = ReadClipboardText(dlg->m_hWnd);
        if (clipboard != box.str() && IsValidLink(clipboard)) dlg->m_editUrl.SetWindowText(clipboard.c_str());
    }
}
