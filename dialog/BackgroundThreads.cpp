#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>

#include <string>

#include "download/LinkCheck.h"

namespace {

constexpr DWORD kUrlPlayMs = 7000;
constexpr DWORD kReadyPlayMs = 12000;
constexpr DWORD kEyesPlayMs = 16000;
constexpr DWORD kDownloadingPlayMs = 15000;
constexpr DWORD kClipboardPollMs = 1000;

// The clipboard's Unicode text, or the empty string; the clipboard is open only for the copy.
std::wstring ReadClipboardText(HWND owner) {
    std::wstring text;
    if (!::OpenClipboard(owner)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(::GlobalLock(data))) {
            // The block may be larger than the text; never read past it.
            const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
            size_t length = 0;
            while (length < capacity && locked[length] != L'\0') ++length;
            text.assign(locked, length);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace

UINT CReelsiftDlg::PlayStatusAnimation(CPictureEx& picture, const wchar_t* file, DWORD playMs) {
    if (!picture.LoadFromFile(file)) return 0;
    picture.Draw();
    if (playMs == 0) return 0;
    ::Sleep(playMs);
    picture.Stop();
    return 0;
}

UINT CReelsiftDlg::ShowConvertingGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    if (!dlg->m_gifConverting.LoadFromFile(L"gifs\\converting.gif")) return 0;
    if (dlg->m_convertingWanted) dlg->m_gifConverting.Draw();
    // The job may have ended while the file loaded: then nothing may go on playing in the hidden control.
    if (!dlg->m_convertingWanted) dlg->m_gifConverting.Stop();
    return 0;
}

UINT CReelsiftDlg::ShowUrlGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    PlayStatusAnimation(dlg->m_gifUrl, L"gifs\\url.gif", kUrlPlayMs);
    dlg->m_urlAnimationStarting = false;
    return 0;
}

UINT CReelsiftDlg::ShowReadyGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    PlayStatusAnimation(dlg->m_gifReady, L"gifs\\ready.gif", kReadyPlayMs);
    dlg->m_readyAnimationStarting = false;
    return 0;
}

UINT CReelsiftDlg::ShowEyesGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    return PlayStatusAnimation(dlg->m_gifEyes, L"gifs\\eyes.gif", kEyesPlayMs);
}

UINT CReelsiftDlg::ShowDownloadingGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    return PlayStatusAnimation(dlg->m_gifDownloading, L"gifs\\downloading.gif", kDownloadingPlayMs);
}

UINT CReelsiftDlg::StartupProgressThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    CProgressCtrl& bar = dlg->m_progressStartup;
    dlg->EnableDownloadButton(FALSE);
    bar.ShowWindow(SW_SHOW);
    bar.SetRange(0, 100);
    for (int position = 0; position <= 100; ++position) {
        bar.SetPos(position);
        ::Sleep(20);
    }
    ::Sleep(500);
    bar.ModifyStyle(PBS_SMOOTH, PBS_MARQUEE);
    bar.SetMarquee(TRUE, 5);
    ::Sleep(1600);
    bar.ModifyStyle(PBS_MARQUEE, 0);
    bar.SetMarquee(FALSE, 0);  // the control's marquee timer would otherwise tick for the rest of the run
    for (int position = 100; position >= 0; --position) {
        bar.SetPos(position);
        ::Sleep(10);
    }
    ::Sleep(250);
    dlg->EnableDownloadButton(TRUE);
    bar.ShowWindow(SW_HIDE);
    return 0;
}

UINT CReelsiftDlg::SelfUpdateToolThread(LPVOID) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    std::wstring commandLine = L"youtube-dl.exe -U";
    PROCESS_INFORMATION process{};
    // Inherits nothing: it needs no handles, and holding a running job's pipe would keep that job open.
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                         &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    return 0;
}

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

void CReelsiftDlg::OnEnChangeUrl() {
    CString link;
    m_editUrl.GetWindowText(link);
    if (link.IsEmpty() || !IsValidLink(link.str()) || m_gifUrl.IsPlaying()) return;
    if (m_urlAnimationStarting.exchange(true)) return;  // a start is already under way
    if (!AfxBeginThread(&CReelsiftDlg::ShowUrlGifThread, this)) m_urlAnimationStarting = false;
}
