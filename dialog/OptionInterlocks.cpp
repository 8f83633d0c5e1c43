#include "dialog/ReelsiftDlg.h"

namespace {

constexpr int kAudioMp3 = 1;
constexpr int kAudioM4a = 2;
constexpr int kAudioAac = 0;
constexpr int kAudioWav = 3;
constexpr int kVideoMp4 = 4;
constexpr UINT kUncheckDelayMs = 500;

}  // namespace

// Audio mode: the thumbnail stays only for formats that can carry a cover; subtitles never.
void CReelsiftDlg::EnterAudioMode() {
    m_chkAudioOnly.SetCheck(BST_CHECKED);
    m_chkFullVideo.SetCheck(BST_UNCHECKED);
    m_chkAllFormats.SetCheck(BST_UNCHECKED);
    m_comboAudioFormat.EnableWindow(TRUE);
    m_comboVideoFormat.EnableWindow(FALSE);
    GetDlgItem(IDC_MODE_PICTURE)->ShowWindow(SW_HIDE);
    m_chkSubtitles.SetCheck(BST_UNCHECKED);
    const int format = m_comboAudioFormat.GetCurSel();
    if (format != kAudioMp3 && format != kAudioM4a) m_chkThumbnail.SetCheck(BST_UNCHECKED);
}

// Full-video mode: subtitles stay only for MP4; the thumbnail never.
void CReelsiftDlg::EnterFullVideoMode() {
    m_chkAudioOnly.SetCheck(BST_UNCHECKED);
    m_chkFullVideo.SetCheck(BST_CHECKED);
    m_chkAllFormats.SetCheck(BST_UNCHECKED);
    m_comboAudioFormat.EnableWindow(FALSE);
    m_comboVideoFormat.EnableWindow(TRUE);
    GetDlgItem(IDC_MODE_PICTURE)->ShowWindow(SW_SHOW);
    if (IsChecked(m_chkFullVideo) && m_comboVideoFormat.GetCurSel() != kVideoMp4) {
        m_chkSubtitles.SetCheck(BST_UNCHECKED);
    }
    m_chkThumbnail.SetCheck(BST_UNCHECKED);
}

void CReelsiftDlg::OnBnClickedAudioOnly() {
    if (IsChecked(m_chkAudioOnly))
        EnterAudioMode();
    else
        EnterFullVideoMode();
}

void CReelsiftDlg::OnBnClickedFullVideo() {
    if (IsChecked(m_chkFullVideo))
        EnterFullVideoMode();
    else
        EnterAudioMode();
}

void CReelsiftDlg::OnBnClickedAllFormats() {
    // Either way the embedding boxes are left alone: all formats can take them, and leaving all formats for
    // full video keeps what the user had.
    const bool allFormats = IsChecked(m_chkAllFormats);
    m_chkAudioOnly.SetCheck(BST_UNCHECKED);
    m_chkFullVideo.SetCheck(allFormats ? BST_UNCHECKED : BST_CHECKED);
    m_chkAllFormats.SetCheck(allFormats ? BST_CHECKED : BST_UNCHECKED);
    m_comboAudioFormat.EnableWindow(FALSE);
    m_comboVideoFormat.EnableWindow(allFormats ? FALSE : TRUE);
    GetDlgItem(IDC_MODE_PICTURE)->ShowWindow(SW_SHOW);
}

void CReelsiftDlg::OnBnClickedSubtitles() {
    if (!IsChecked(m_chkSubtitles)) return;
    if (IsChecked(m_chkAudioOnly) || (IsChecked(m_chkFullVideo) && m_comboVideoFormat.GetCurSel() != kVideoMp4)) {
        SetTimer(TIMER_UNCHECK_SUBTITLES, kUncheckDelayMs, nullptr);
    }
}

void CReelsiftDlg::OnBnClickedThumbnail() {
    if (!IsChecked(m_chkThumbnail)) return;
    const int format = m_comboAudioFormat.GetCurSel();
    if (IsChecked(m_chkFullVideo) || (IsChecked(m_chkAudioOnly) && (format == kAudioAac || format == kAudioWav))) {
        SetTimer(TIMER_UNCHECK_THUMBNAIL, kUncheckDelayMs, nullptr);
    }
}

void CReelsiftDlg::OnCbnSelchangeAudioFormat() {
    const int format = m_comboAudioFormat.GetCurSel();
    if (IsChecked(m_chkAudioOnly) && (format == kAudioAac || format == kAudioWav)) {
        m_chkThumbnail.SetCheck(BST_UNCHECKED);
    }
}

void CReelsiftDlg::OnCbnSelchangeVideoFormat() {
    if (!(IsChecked(m_chkFullVideo) && m_comboVideoFormat.GetCurSel() == kVideoMp4)) {
        m_chkSubtitles.SetCheck(BST_UNCHECKED);
    }
}

void CReelsiftDlg::OnBnClickedAutoPaste() {
    if (!IsChecked(m_chkAutoPaste)) m_editUrl.SetWindowText(L"");
}

void CReelsiftDlg::OnStnClickedAutoPasteLabel() {
    ToggleCheck(m_chkAutoPaste);
    OnBnClickedAutoPaste();
}

void CReelsiftDlg::OnStnClickedAudioOnlyLabel() {
    ToggleCheck(m_chkAudioOnly);
    OnBnClickedAudioOnly();
}

void CReelsiftDlg::OnStnClickedFullVideoLabel() {
    ToggleCheck(m_chkFullVideo);
    OnBnClickedFullVideo();
}

void CReelsiftDlg::OnStnClickedAllFormatsLabel() {
    ToggleCheck(m_chkAllFormats);
    OnBnClickedAllFormats();
}

void CReelsiftDlg::OnStnClickedMetadataLabel() {
    ToggleCheck(m_chkMetadata);
}

void CReelsiftDlg::OnStnClickedSubtitlesLabel() {
    ToggleCheck(m_chkSubtitles);
    OnBnClickedSubtitles();
}

void CReelsiftDlg::OnStnClickedThumbnailLabel() {
    ToggleCheck(m_chkThumbnail);
    OnBnClickedThumbnail();
}

void CReelsiftDlg::OnStnClickedPlaylistReverseLabel() {
    ToggleCheck(m_chkPlaylistReverse);
}

void CReelsiftDlg::OnStnClickedPlaylistFoldersLabel() {
    ToggleCheck(m_chkPlaylistFolders);
}

void CReelsiftDlg::OnStnClickedAutoOpenLabel() {
    ToggleCheck(m_chkAutoOpen);
}

void CReelsiftDlg::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
    case TIMER_AUTO_OPEN:
        KillTimer(TIMER_AUTO_OPEN);
        OnBnClickedOpenFolder();
        break;
    case TIMER_UNCHECK_THUMBNAIL:
        KillTimer(TIMER_UNCHECK_THUMBNAIL);
        m_chkThumbnail.SetCheck(BST_UNCHECKED);
        break;
    case TIMER_UNCHECK_SUBTITLES:
        KillTimer(TIMER_UNCHECK_SUBTITLES);
        m_chkSubtitles.SetCheck(BST_UNCHECKED);
        break;
    default:
        break;
    }
}
