#include "dialog/ReelsiftDlg.h"

#include "dialog/OptionRules.h"

namespace {

constexpr UINT kUncheckDelayMs = 500;

int CheckState(bool on) {
    return on ? BST_CHECKED : BST_UNCHECKED;
}

}  // namespace

void CReelsiftDlg::FollowOptionRules(OptionEvent event) {
    OptionBoxes now;
    now.audioOnly = IsChecked(m_chkAudioOnly);
    now.fullVideo = IsChecked(m_chkFullVideo);
    now.allFormats = IsChecked(m_chkAllFormats);
    now.subtitles = IsChecked(m_chkSubtitles);
    now.thumbnail = IsChecked(m_chkThumbnail);
    now.audioFormat = m_comboAudioFormat.GetCurSel();
    now.videoFormat = m_comboVideoFormat.GetCurSel();

    const OptionOutcome outcome = DecideOptions(event, now);
    m_chkAudioOnly.SetCheck(CheckState(outcome.boxes.audioOnly));
    m_chkFullVideo.SetCheck(CheckState(outcome.boxes.fullVideo));
    m_chkAllFormats.SetCheck(CheckState(outcome.boxes.allFormats));
    m_chkSubtitles.SetCheck(CheckState(outcome.boxes.subtitles));
    m_chkThumbnail.SetCheck(CheckState(outcome.boxes.thumbnail));
    if (outcome.mode) {
        m_comboAudioFormat.EnableWindow(outcome.mode->audioFormatEnabled);
        m_comboVideoFormat.EnableWindow(outcome.mode->videoFormatEnabled);
        GetDlgItem(IDC_MODE_PICTURE)->ShowWindow(outcome.mode->modePictureShown ? SW_SHOW : SW_HIDE);
    }
    // A timer started again replaces the running one: the half second counts from the last check.
    if (outcome.delayedUncheck == DelayedUncheck::Subtitles) SetTimer(TIMER_UNCHECK_SUBTITLES, kUncheckDelayMs);
    if (outcome.delayedUncheck == DelayedUncheck::Thumbnail) SetTimer(TIMER_UNCHECK_THUMBNAIL, kUncheckDelayMs);
}

void CReelsiftDlg::OnBnClickedAudioOnly() {
    FollowOptionRules(OptionEvent::AudioOnlyClicked);
}

void CReelsiftDlg::OnBnClickedFullVideo() {
    FollowOptionRules(OptionEvent::FullVideoClicked);
}

void CReelsiftDlg::OnBnClickedAllFormats() {
    FollowOptionRules(OptionEvent::AllFormatsClicked);
}

void CReelsiftDlg::OnBnClickedSubtitles() {
    FollowOptionRules(OptionEvent::SubtitlesClicked);
}

void CReelsiftDlg::OnBnClickedThumbnail() {
    FollowOptionRules(OptionEvent::ThumbnailClicked);
}

void CReelsiftDlg::OnCbnSelchangeAudioFormat() {
    FollowOptionRules(OptionEvent::AudioFormatChosen);
}

void CReelsiftDlg::OnCbnSelchangeVideoFormat() {
    FollowOptionRules(OptionEvent::VideoFormatChosen);
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
