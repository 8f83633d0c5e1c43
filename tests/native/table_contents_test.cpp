// The tables the program works from, stated once with the system's own texts, so that a wrong entry is caught
// here while every other test reads the tables.
#include <gtest/gtest.h>

#include <iterator>

#include "dialog/JobStates.h"
#include "dialog/SavedControls.h"
#include "download/Formats.h"
#include "res/resource.h"

namespace {

struct FormatRow {
    const wchar_t* itemText;
    const wchar_t* switches;
    bool takesEmbedding;  // cover art for audio, subtitles for video
};

template <class Format, size_t N, size_t M>
void ExpectFormats(const std::array<Format, N>& table, const FormatRow (&rows)[M], bool Format::*takesEmbedding) {
    ASSERT_EQ(N, M);
    for (size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(table[i].itemText, rows[i].itemText);
        EXPECT_STREQ(table[i].switches, rows[i].switches);
        EXPECT_EQ(table[i].*takesEmbedding, rows[i].takesEmbedding);
    }
}

TEST(Tables, FormatsInTheOrderOfTheirComboBoxes) {
    const FormatRow audio[] = {
        {L"AAC", L"--format aac/m4a/mp3/wav/best --audio-format aac --audio-quality 0 --extract-audio ", false},
        {L"MP3", L"--format bestaudio/mp3/m4a/aac/wav/best --audio-format mp3 --audio-quality 0 --extract-audio ",
         true},
        {L"M4A", L"--format m4a/aac/mp3/wav/best --audio-format m4a --audio-quality 0 --extract-audio ", true},
        {L"WAV", L"--format wav/mp3/m4a/aac/best --audio-format wav --audio-quality 0 --extract-audio ", false},
    };
    ExpectFormats(kAudioFormats, audio, &AudioFormat::takesCoverArt);

    const FormatRow video[] = {
        {L"Don't convert: original", L"--format best ", false},
        {L"Merge A/V: best quolity", L"--format bestvideo+bestaudio/best ", false},
        {L"Convert to AVI", L"--format best --recode-video avi ", false},
        {L"Convert to FLV", L"--format best --recode-video flv ", false},
        {L"Convert to MP4", L"--format best --recode-video mp4 ", true},
        {L"Convert to MKV", L"--format best --recode-video mkv ", false},
    };
    ExpectFormats(kVideoFormats, video, &VideoFormat::takesSubtitles);

    EXPECT_EQ(FormatAt(kAudioFormats, kNoFormatSelected), nullptr);
    EXPECT_EQ(FormatAt(kVideoFormats, static_cast<int>(kVideoFormats.size())), nullptr);
}

TEST(Tables, SettingsKeepTenBoxesAndThreeSelectionsUnderTheirNames) {
    const SavedControl rows[] = {
        {L"check_auto_paste", IDC_AUTO_PASTE, SavedState::Check},
        {L"check_download_only_audio", IDC_AUDIO_ONLY, SavedState::Check},
        {L"check_download_full_video", IDC_FULL_VIDEO, SavedState::Check},
        {L"check_download_all_formats", IDC_ALL_FORMATS, SavedState::Check},
        {L"check_write_metadata", IDC_METADATA, SavedState::Check},
        {L"check_embed_subtitles", IDC_SUBTITLES, SavedState::Check},
        {L"check_embed_thumb", IDC_THUMBNAIL, SavedState::Check},
        {L"check_download_reverse", IDC_PLAYLIST_REVERSE, SavedState::Check},
        {L"check_auto_create_folders", IDC_PLAYLIST_FOLDERS, SavedState::Check},
        {L"check_auto_open", IDC_AUTO_OPEN, SavedState::Check},
        {L"combo_audioformat", IDC_AUDIO_FORMAT, SavedState::Selection},
        {L"combo_videoformat", IDC_VIDEO_FORMAT, SavedState::Selection},
        {L"combo_filter", IDC_FILTER_KIND, SavedState::Selection},
    };
    ASSERT_EQ(kSavedControls.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(kSavedControls[i].valueName, rows[i].valueName);
        EXPECT_EQ(kSavedControls[i].controlId, rows[i].controlId);
        EXPECT_EQ(kSavedControls[i].state, rows[i].state);
    }
}

// Download is enabled last, after everything else of the idle state; the auto-paste box, just before it, is the
// row the job's end is seen by from outside.
TEST(Tables, JobStatesSetTheControlsOfTheirColumnInThisOrder) {
    constexpr ControlChange Left = ControlChange::LeftAlone;
    constexpr ControlChange On = ControlChange::On;
    constexpr ControlChange Off = ControlChange::Off;
    constexpr ControlAspect Enabled = ControlAspect::Enabled;
    constexpr ControlAspect Shown = ControlAspect::Shown;
    // clang-format off
    const JobStateControl rows[] = {
        //                             opening idle  running aborting
        {IDC_GIF_CONVERTING, Shown,   {Left,   Off,  On,     Left}},
        {IDC_NOTIFY,         Shown,   {Left,   Off,  On,     Left}},
        {IDC_MAIN_PROGRESS,  Shown,   {Left,   Off,  On,     Left}},
        {IDC_ERROR_REPORT,   Shown,   {Left,   Left, Off,    Left}},
        {IDC_ABORT,          Enabled, {Off,    Off,  On,     Off}},
        {IDC_NEW_LINK,       Enabled, {Off,    Off,  On,     Off}},
        {IDC_URL,            Enabled, {Left,   On,   Off,    Left}},
        {IDC_STATUS,         Enabled, {Off,    Left, Left,   Left}},
        {IDC_STATUS,         Shown,   {Off,    Off,  On,     Off}},
        {IDC_AUTO_PASTE,     Shown,   {On,     On,   Off,    On}},
        {IDC_DOWNLOAD,       Enabled, {Left,   On,   Off,    Left}},
    };
    // clang-format on
    ASSERT_EQ(kJobStateControls.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].controlId);
        EXPECT_EQ(kJobStateControls[i].controlId, rows[i].controlId);
        EXPECT_EQ(kJobStateControls[i].aspect, rows[i].aspect);
        for (JobState state : {JobState::Opening, JobState::Idle, JobState::Running, JobState::Aborting}) {
            EXPECT_EQ(kJobStateControls[i].In(state), rows[i].In(state)) << static_cast<int>(state);
        }
    }
}

}  // namespace
