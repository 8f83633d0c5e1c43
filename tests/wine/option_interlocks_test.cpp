// The option boxes keep each other consistent: the three modes, their format combo boxes and picture, the
// embedding boxes that a mode or format cannot take, auto-paste, the option labels and the dialog's timers.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"

namespace {

enum class Mode { None, Audio, FullVideo, AllFormats };

const char* Name(Mode mode) {
    switch (mode) {
    case Mode::None:
        return "no mode";
    case Mode::Audio:
        return "audio";
    case Mode::FullVideo:
        return "full video";
    case Mode::AllFormats:
        return "all formats";
    }
    return "?";
}

constexpr int kNoSelection = -1;
constexpr int kAac = 0, kMp3 = 1, kM4a = 2, kWav = 3;
constexpr int kOriginal = 0, kBestQuality = 1, kMp4 = 4, kMkv = 5;

class OptionInterlocksTest : public FreshAccountTest {
protected:
    // Puts the boxes and selections in place the way loading the settings does: without any rule running.
    static void Arrange(DialogHarness& ui, Mode mode, int audioFormat, int videoFormat, bool subtitles,
                        bool thumbnail) {
        ui.SetCheck(IDC_AUDIO_ONLY, mode == Mode::Audio);
        ui.SetCheck(IDC_FULL_VIDEO, mode == Mode::FullVideo);
        ui.SetCheck(IDC_ALL_FORMATS, mode == Mode::AllFormats);
        ::SendMessageW(ui.Control(IDC_AUDIO_FORMAT), CB_SETCURSEL, static_cast<WPARAM>(audioFormat), 0);
        ::SendMessageW(ui.Control(IDC_VIDEO_FORMAT), CB_SETCURSEL, static_cast<WPARAM>(videoFormat), 0);
        ui.SetCheck(IDC_SUBTITLES, subtitles);
        ui.SetCheck(IDC_THUMBNAIL, thumbnail);
    }

    // The mode the boxes show, and what that mode allows of the combo boxes and the mode picture.
    static void ExpectMode(const DialogHarness& ui, Mode mode) {
        EXPECT_EQ(ui.Checked(IDC_AUDIO_ONLY), mode == Mode::Audio);
        EXPECT_EQ(ui.Checked(IDC_FULL_VIDEO), mode == Mode::FullVideo);
        EXPECT_EQ(ui.Checked(IDC_ALL_FORMATS), mode == Mode::AllFormats);
        EXPECT_EQ(ui.Enabled(IDC_AUDIO_FORMAT), mode == Mode::Audio);
        EXPECT_EQ(ui.Enabled(IDC_VIDEO_FORMAT), mode == Mode::FullVideo);
        EXPECT_EQ(ui.Visible(IDC_MODE_PICTURE), mode == Mode::FullVideo || mode == Mode::AllFormats);
    }
};

TEST_F(OptionInterlocksTest, ModeBoxesAndTheirLabelsFollowTheTransitionTable) {
    // Each clickable thing with the mode it belongs to; a label counts as a click on its box.
    const std::pair<int, Mode> clickables[] = {
        {IDC_AUDIO_ONLY, Mode::Audio},           {IDC_AUDIO_ONLY_LABEL, Mode::Audio},
        {IDC_AUDIO_ONLY_LABEL2, Mode::Audio},    {IDC_FULL_VIDEO, Mode::FullVideo},
        {IDC_FULL_VIDEO_LABEL, Mode::FullVideo}, {IDC_FULL_VIDEO_LABEL2, Mode::FullVideo},
        {IDC_ALL_FORMATS, Mode::AllFormats},     {IDC_ALL_FORMATS_LABEL, Mode::AllFormats},
    };
    // Clicking the mode one is in falls back: audio to full video, full video to audio, all formats to full video.
    auto after = [](Mode current, Mode clicked) {
        if (clicked != current) return clicked;
        return current == Mode::FullVideo ? Mode::Audio : Mode::FullVideo;
    };

    // The rules themselves have their table in the native tests; here each clickable from no mode and from its own.
    DialogHarness ui(false);
    for (const auto& [control, clicked] : clickables) {
        for (Mode from : {Mode::None, clicked}) {
            SCOPED_TRACE(std::string(Name(from)) + ", click on " + std::to_string(control));
            Arrange(ui, from, kMp3, kMp4, false, false);
            ui.Click(control);
            ExpectMode(ui, after(from, clicked));
        }
    }
}

// Wiring: the mode boxes and labels reach the rules with the formats the combo boxes hold.
TEST_F(OptionInterlocksTest, EnteringAModeClearsTheEmbeddingBoxesItCannotTake) {
    struct Case {
        const char* what;
        Mode from;
        int audioFormat, videoFormat;
        bool subtitles, thumbnail;
        int click;
        Mode to;
        bool subtitlesAfter, thumbnailAfter;
    };
    const Case cases[] = {
        {"all formats, M4A -> audio keeps the cover", Mode::AllFormats, kM4a, kOriginal, true, true, IDC_AUDIO_ONLY,
         Mode::Audio, false, true},
        {"all formats, WAV -> audio by the second label", Mode::AllFormats, kWav, kOriginal, true, true,
         IDC_AUDIO_ONLY_LABEL2, Mode::Audio, false, false},
        {"unchecking audio by its label, best quality", Mode::Audio, kMp3, kBestQuality, true, true,
         IDC_AUDIO_ONLY_LABEL, Mode::FullVideo, false, false},
        {"no mode -> full video, MP4", Mode::None, kMp3, kMp4, true, true, IDC_FULL_VIDEO_LABEL, Mode::FullVideo, true,
         false},
        {"no mode -> full video, MKV", Mode::None, kMp3, kMkv, true, true, IDC_FULL_VIDEO, Mode::FullVideo, false,
         false},
        {"no mode -> audio without a format", Mode::None, kNoSelection, kMp4, true, true, IDC_AUDIO_ONLY, Mode::Audio,
         false, false},
    };
    DialogHarness ui(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Arrange(ui, c.from, c.audioFormat, c.videoFormat, c.subtitles, c.thumbnail);
        ui.Click(c.click);
        ExpectMode(ui, c.to);
        EXPECT_EQ(ui.Checked(IDC_SUBTITLES), c.subtitlesAfter);
        EXPECT_EQ(ui.Checked(IDC_THUMBNAIL), c.thumbnailAfter);
    }
}

TEST_F(OptionInterlocksTest, ModeSwitchesThereAndBackLeaveTheCoverUnchecked) {
    DialogHarness ui(false);
    Arrange(ui, Mode::Audio, kMp3, kOriginal, false, true);
    ui.Click(IDC_FULL_VIDEO);
    ui.Click(IDC_AUDIO_ONLY);
    ExpectMode(ui, Mode::Audio);
    EXPECT_FALSE(ui.Checked(IDC_THUMBNAIL));
}

// Wiring: both embedding boxes reach the rules and their timers; refused, kept, and one of each.
TEST_F(OptionInterlocksTest, AnEmbeddingBoxCheckedWhereTheModeCannotTakeItClearsHalfASecondLater) {
    struct Case {
        const char* what;
        Mode mode;
        int audioFormat, videoFormat;
        bool subtitlesKept, thumbnailKept;
    };
    const Case cases[] = {
        {"audio AAC", Mode::Audio, kAac, kMp4, false, false},
        {"full video MP4", Mode::FullVideo, kAac, kMp4, true, false},
        {"full video original", Mode::FullVideo, kMp3, kOriginal, false, false},
        {"all formats", Mode::AllFormats, kAac, kOriginal, true, true},
    };
    DialogHarness ui(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Arrange(ui, c.mode, c.audioFormat, c.videoFormat, false, false);
        const ULONGLONG clicked = ::GetTickCount64();  // before both clicks: each starts its own half second
        ui.Click(IDC_SUBTITLES);
        ui.Click(IDC_THUMBNAIL_LABEL);
        EXPECT_TRUE(ui.Checked(IDC_SUBTITLES));
        EXPECT_TRUE(ui.Checked(IDC_THUMBNAIL));

        // A refused box is cleared by its timer, not before; a kept one is still checked after that moment.
        if (c.subtitlesKept && c.thumbnailKept) {
            DialogHarness::Pause(700);
        } else {
            EXPECT_TRUE(DialogHarness::WaitFor(
                [&] {
                    return (c.subtitlesKept || !ui.Checked(IDC_SUBTITLES)) &&
                           (c.thumbnailKept || !ui.Checked(IDC_THUMBNAIL));
                },
                3000));
            EXPECT_GE(::GetTickCount64() - clicked, 400u);
        }
        DialogHarness::Pause(150);
        EXPECT_EQ(ui.Checked(IDC_SUBTITLES), c.subtitlesKept);
        EXPECT_EQ(ui.Checked(IDC_THUMBNAIL), c.thumbnailKept);
    }
}

TEST_F(OptionInterlocksTest, BothStoredModesRefuseBothEmbeddingBoxes) {
    WriteSetting(L"check_download_only_audio", L"true");
    WriteSetting(L"check_download_full_video", L"true");
    WriteSetting(L"combo_audioformat", L"1");
    WriteSetting(L"combo_videoformat", L"4");
    DialogHarness ui(false);
    ASSERT_TRUE(ui.Checked(IDC_AUDIO_ONLY) && ui.Checked(IDC_FULL_VIDEO));

    ui.Click(IDC_SUBTITLES);
    ui.Click(IDC_THUMBNAIL);
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return !ui.Checked(IDC_SUBTITLES) && !ui.Checked(IDC_THUMBNAIL); }, 3000));

    ui.Click(IDC_FULL_VIDEO_LABEL2);  // unchecks full video: exactly one mode is left
    ExpectMode(ui, Mode::Audio);
}

TEST_F(OptionInterlocksTest, CheckingAgainRestartsTheHalfSecond) {
    DialogHarness ui(false);
    Arrange(ui, Mode::Audio, kAac, kOriginal, false, false);

    ui.Click(IDC_SUBTITLES);
    DialogHarness::Pause(150);  // well inside the first half second, even on a busy machine
    ui.Click(IDC_SUBTITLES);
    EXPECT_FALSE(ui.Checked(IDC_SUBTITLES));
    ui.Click(IDC_SUBTITLES_LABEL);
    const ULONGLONG lastCheck = ::GetTickCount64();
    ASSERT_TRUE(ui.Checked(IDC_SUBTITLES));

    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !ui.Checked(IDC_SUBTITLES); }, 3000));
    EXPECT_GE(::GetTickCount64() - lastCheck, 400u);
}

TEST_F(OptionInterlocksTest, TheDecisionIsTakenAtTheClickAndTheTickClearsRegardless) {
    DialogHarness ui(false);
    Arrange(ui, Mode::FullVideo, kMp3, kOriginal, false, false);
    ui.Click(IDC_THUMBNAIL);
    ui.Click(IDC_AUDIO_ONLY);  // audio with MP3 would keep the cover...
    ExpectMode(ui, Mode::Audio);
    EXPECT_TRUE(ui.Checked(IDC_THUMBNAIL));
    // ...but the timer started in full-video mode still runs out.
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return !ui.Checked(IDC_THUMBNAIL); }, 3000));
}

TEST_F(OptionInterlocksTest, AFormatChangeClearsAnEmbeddingBoxAtOnce) {
    DialogHarness ui(false);

    Arrange(ui, Mode::FullVideo, kAac, kMp4, true, true);
    ui.Select(IDC_VIDEO_FORMAT, kMp4);
    EXPECT_TRUE(ui.Checked(IDC_SUBTITLES));
    ui.Select(IDC_VIDEO_FORMAT, kMkv);
    EXPECT_FALSE(ui.Checked(IDC_SUBTITLES));
    EXPECT_TRUE(ui.Checked(IDC_THUMBNAIL));  // the video format never touches the cover
    ui.Select(IDC_VIDEO_FORMAT, kMp4);
    EXPECT_FALSE(ui.Checked(IDC_SUBTITLES));  // and never checks anything again

    Arrange(ui, Mode::Audio, kMp3, kOriginal, true, true);
    ui.Select(IDC_AUDIO_FORMAT, kM4a);
    EXPECT_TRUE(ui.Checked(IDC_THUMBNAIL));
    ui.Select(IDC_AUDIO_FORMAT, kWav);
    EXPECT_FALSE(ui.Checked(IDC_THUMBNAIL));
    EXPECT_TRUE(ui.Checked(IDC_SUBTITLES));  // the audio format never touches subtitles
    ui.SetCheck(IDC_THUMBNAIL, true);
    ui.Select(IDC_AUDIO_FORMAT, kAac);
    EXPECT_FALSE(ui.Checked(IDC_THUMBNAIL));

    // Outside audio mode the audio format clears nothing.
    Arrange(ui, Mode::AllFormats, kMp3, kOriginal, true, true);
    ui.Select(IDC_AUDIO_FORMAT, kAac);
    EXPECT_TRUE(ui.Checked(IDC_THUMBNAIL));
}

TEST_F(OptionInterlocksTest, SwitchingAutoPasteOffEmptiesTheLinkBox) {
    const std::wstring link = L"https://media.example.net/watch?v=Ab3dE5fG7h";
    DialogHarness ui(false);
    for (int control : {IDC_AUTO_PASTE, IDC_AUTO_PASTE_LABEL}) {
        SCOPED_TRACE(control);
        ui.SetText(IDC_URL, link);
        ui.Click(control);
        EXPECT_TRUE(ui.Checked(IDC_AUTO_PASTE));
        EXPECT_EQ(ui.Text(IDC_URL), link);
        ui.Click(control);
        EXPECT_FALSE(ui.Checked(IDC_AUTO_PASTE));
        EXPECT_EQ(ui.Text(IDC_URL), L"");
    }
}

TEST_F(OptionInterlocksTest, PlainOptionLabelsToggleTheirBoxesAndNothingElse) {
    const std::pair<int, int> labels[] = {{IDC_METADATA_LABEL, IDC_METADATA},
                                          {IDC_PLAYLIST_REVERSE_LABEL, IDC_PLAYLIST_REVERSE},
                                          {IDC_PLAYLIST_FOLDERS_LABEL, IDC_PLAYLIST_FOLDERS},
                                          {IDC_AUTO_OPEN_LABEL, IDC_AUTO_OPEN}};
    DialogHarness ui(false);
    ui.SetText(IDC_URL, L"typed");
    for (const auto& [label, box] : labels) {
        SCOPED_TRACE(label);
        ui.Click(label);
        EXPECT_TRUE(ui.Checked(box));
        ui.Click(label);
        EXPECT_FALSE(ui.Checked(box));
    }
    ExpectMode(ui, Mode::None);
    EXPECT_EQ(ui.Text(IDC_URL), L"typed");
}

TEST_F(OptionInterlocksTest, OnlyTheDialogsOwnTimerIdsDoAnything) {
    const int watched[] = {IDC_AUTO_PASTE,       IDC_AUDIO_ONLY, IDC_FULL_VIDEO, IDC_ALL_FORMATS,
                           IDC_METADATA,         IDC_SUBTITLES,  IDC_THUMBNAIL,  IDC_PLAYLIST_REVERSE,
                           IDC_PLAYLIST_FOLDERS, IDC_FILTER,     IDC_AUTO_OPEN};
    DialogHarness ui(false);
    auto snapshot = [&] {
        std::vector<std::tuple<bool, bool, bool>> state;
        for (int id : watched) state.emplace_back(ui.Checked(id), ui.Enabled(id), ui.Visible(id));
        return std::tuple(state, ui.Text(IDC_URL), ui.Text(IDC_OUTPUT_FOLDER), ui.Title());
    };
    for (int id : watched) ui.SetCheck(id, true);
    ui.SetText(IDC_URL, L"https://media.example.net/watch?v=Ab3dE5fG7h");
    const auto before = snapshot();

    for (WPARAM id : {1u, 2u, 3u, 6u, 7u, 100u, 0xFFFFu}) {
        ::SendMessageW(ui.Window(), WM_TIMER, id, 0);
        EXPECT_EQ(snapshot(), before) << id;
    }

    ::SendMessageW(ui.Window(), WM_TIMER, TIMER_UNCHECK_THUMBNAIL, 0);
    EXPECT_FALSE(ui.Checked(IDC_THUMBNAIL));
    EXPECT_TRUE(ui.Checked(IDC_SUBTITLES));
    ::SendMessageW(ui.Window(), WM_TIMER, TIMER_UNCHECK_SUBTITLES, 0);
    EXPECT_FALSE(ui.Checked(IDC_SUBTITLES));
}

}  // namespace
