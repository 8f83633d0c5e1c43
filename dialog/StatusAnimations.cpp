#include "dialog/ReelsiftDlg.h"

namespace {

constexpr DWORD kUrlPlayMs = 7000;
constexpr DWORD kReadyPlayMs = 12000;
constexpr DWORD kEyesPlayMs = 16000;
constexpr DWORD kDownloadingPlayMs = 15000;

// Clears an animation's "starting" flag however its thread ends, so that the animation can play again.
class ClearedOnExit {
public:
    explicit ClearedOnExit(std::atomic<bool>& flag) : m_flag(flag) {}
    ClearedOnExit(const ClearedOnExit&) = delete;
    ClearedOnExit& operator=(const ClearedOnExit&) = delete;
    ~ClearedOnExit() { m_flag = false; }

private:
    std::atomic<bool>& m_flag;
};

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
    const ClearedOnExit starting(dlg->m_urlAnimationStarting);
    return PlayStatusAnimation(dlg->m_gifUrl, L"gifs\\url.gif", kUrlPlayMs);
}

UINT CReelsiftDlg::ShowReadyGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    const ClearedOnExit starting(dlg->m_readyAnimationStarting);
    return PlayStatusAnimation(dlg->m_gifReady, L"gifs\\ready.gif", kReadyPlayMs);
}

UINT CReelsiftDlg::ShowEyesGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    return PlayStatusAnimation(dlg->m_gifEyes, L"gifs\\eyes.gif", kEyesPlayMs);
}

UINT CReelsiftDlg::ShowDownloadingGifThread(LPVOID parameter) {
    auto* dlg = static_cast<CReelsiftDlg*>(parameter);
    return PlayStatusAnimation(dlg->m_gifDownloading, L"gifs\\downloading.gif", kDownloadingPlayMs);
}
