// The option rules as one table: a mode and the boxes before, what happens, and what the boxes, the controls
// that follow the mode, and a delayed uncheck must be afterwards. Formats are chosen by what the format table says
// they can carry.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "dialog/OptionRules.h"

namespace {

template <class Format, size_t N>
int FirstIndex(const std::array<Format, N>& formats, bool Format::*takes, bool value) {
    const auto found = std::find_if(formats.begin(), formats.end(), [&](const Format& f) { return f.*takes == value; });
    return static_cast<int>(found - formats.begin());
}

constexpr int kNone = kNoFormatSelected;
const int kCover = FirstIndex(kAudioFormats, &AudioFormat::takesCoverArt, true);
const int kNoCover = FirstIndex(kAudioFormats, &AudioFormat::takesCoverArt, false);
const int kSubs = FirstIndex(kVideoFormats, &VideoFormat::takesSubtitles, true);
const int kNoSubs = FirstIndex(kVideoFormats, &VideoFormat::takesSubtitles, false);

enum Mode { NoMode, Audio, Video, All, AudioAndVideo };  // the mode boxes checked
enum Embedded { Neither, Subtitles, Thumbnail, Both };   // the embedding boxes checked
enum Controls { Left, AudioSet, VideoSet, AllSet };      // the combo boxes and the picture as a mode sets them
constexpr DelayedUncheck kNow = DelayedUncheck::None;
constexpr DelayedUncheck kSubsLater = DelayedUncheck::Subtitles;
constexpr DelayedUncheck kThumbLater = DelayedUncheck::Thumbnail;

OptionBoxes Boxes(Mode mode, Embedded embedded, int audioFormat, int videoFormat) {
    OptionBoxes boxes;
    boxes.audioOnly = mode == Audio || mode == AudioAndVideo;
    boxes.fullVideo = mode == Video || mode == AudioAndVideo;
    boxes.allFormats = mode == All;
    boxes.subtitles = embedded == Subtitles || embedded == Both;
    boxes.thumbnail = embedded == Thumbnail || embedded == Both;
    boxes.audioFormat = audioFormat;
    boxes.videoFormat = videoFormat;
    return boxes;
}

std::optional<ModeControls> ControlsOf(Controls controls) {
    switch (controls) {
    case AudioSet:
        return ModeControls{.audioFormatEnabled = true, .videoFormatEnabled = false, .modePictureShown = false};
    case VideoSet:
        return ModeControls{.audioFormatEnabled = false, .videoFormatEnabled = true, .modePictureShown = true};
    case AllSet:
        return ModeControls{.audioFormatEnabled = false, .videoFormatEnabled = false, .modePictureShown = true};
    case Left:
        break;
    }
    return std::nullopt;
}

// A click toggles its box before the rules see it.
OptionBoxes Clicked(OptionBoxes boxes, OptionEvent event) {
    switch (event) {
    case OptionEvent::AudioOnlyClicked:
        boxes.audioOnly = !boxes.audioOnly;
        break;
    case OptionEvent::FullVideoClicked:
        boxes.fullVideo = !boxes.fullVideo;
        break;
    case OptionEvent::AllFormatsClicked:
        boxes.allFormats = !boxes.allFormats;
        break;
    case OptionEvent::SubtitlesClicked:
        boxes.subtitles = !boxes.subtitles;
        break;
    case OptionEvent::ThumbnailClicked:
        boxes.thumbnail = !boxes.thumbnail;
        break;
    case OptionEvent::AudioFormatChosen:
    case OptionEvent::VideoFormatChosen:
        break;
    }
    return boxes;
}

}  // namespace

void PrintTo(const OptionOutcome& o, std::ostream* out) {
    const OptionBoxes& b = o.boxes;
    *out << "audio " << b.audioOnly << " video " << b.fullVideo << " all " << b.allFormats << " subtitles "
         << b.subtitles << " thumbnail " << b.thumbnail;
    if (o.mode) {
        *out << " | combos " << o.mode->audioFormatEnabled << o.mode->videoFormatEnabled << " picture "
             << o.mode->modePictureShown;
    }
    *out << " | delayed " << static_cast<int>(o.delayedUncheck);
}

namespace {

TEST(OptionRules, OneTableOfEveryRule) {
    using enum OptionEvent;
    struct Case {
        Mode mode;
        int audio, video;
        Embedded embedded;
        OptionEvent event;
        Mode modeAfter;
        Embedded embeddedAfter;
        Controls controls;
        DelayedUncheck delayed;
    };
    const Case cases[] = {
        // Entering audio mode: subtitles never, the thumbnail only with a format that takes a cover.
        {NoMode, kCover, kSubs, Both, AudioOnlyClicked, Audio, Thumbnail, AudioSet, kNow},
        {NoMode, kNoCover, kSubs, Both, AudioOnlyClicked, Audio, Neither, AudioSet, kNow},
        {NoMode, kNone, kSubs, Both, AudioOnlyClicked, Audio, Neither, AudioSet, kNow},
        {Video, kCover, kSubs, Both, AudioOnlyClicked, Audio, Thumbnail, AudioSet, kNow},
        {Video, kCover, kSubs, Both, FullVideoClicked, Audio, Thumbnail, AudioSet, kNow},
        {All, kCover, kNoSubs, Both, AudioOnlyClicked, Audio, Thumbnail, AudioSet, kNow},
        {All, kNoCover, kNoSubs, Both, AudioOnlyClicked, Audio, Neither, AudioSet, kNow},
        {AudioAndVideo, kNoCover, kSubs, Both, FullVideoClicked, Audio, Neither, AudioSet, kNow},
        // Entering full-video mode: subtitles only with a format that takes them, the thumbnail never.
        {NoMode, kCover, kSubs, Both, FullVideoClicked, Video, Subtitles, VideoSet, kNow},
        {NoMode, kCover, kNoSubs, Both, FullVideoClicked, Video, Neither, VideoSet, kNow},
        {NoMode, kCover, kNone, Both, FullVideoClicked, Video, Neither, VideoSet, kNow},
        {Audio, kCover, kSubs, Both, AudioOnlyClicked, Video, Subtitles, VideoSet, kNow},
        {Audio, kCover, kNoSubs, Both, FullVideoClicked, Video, Neither, VideoSet, kNow},
        {All, kCover, kNoSubs, Both, FullVideoClicked, Video, Neither, VideoSet, kNow},
        {AudioAndVideo, kCover, kSubs, Both, AudioOnlyClicked, Video, Subtitles, VideoSet, kNow},
        // All formats takes both; leaving it for full video keeps both, whatever the format.
        {NoMode, kNoCover, kNoSubs, Both, AllFormatsClicked, All, Both, AllSet, kNow},
        {Audio, kNoCover, kNoSubs, Both, AllFormatsClicked, All, Both, AllSet, kNow},
        {Video, kNoCover, kNoSubs, Both, AllFormatsClicked, All, Both, AllSet, kNow},
        {All, kNoCover, kNoSubs, Both, AllFormatsClicked, Video, Both, VideoSet, kNow},
        // Checking subtitles: refused later in audio mode, and in full-video mode without a format that takes them.
        {Audio, kCover, kSubs, Neither, SubtitlesClicked, Audio, Subtitles, Left, kSubsLater},
        {Video, kCover, kSubs, Neither, SubtitlesClicked, Video, Subtitles, Left, kNow},
        {Video, kCover, kNoSubs, Neither, SubtitlesClicked, Video, Subtitles, Left, kSubsLater},
        {Video, kCover, kNone, Neither, SubtitlesClicked, Video, Subtitles, Left, kSubsLater},
        {All, kNoCover, kNoSubs, Neither, SubtitlesClicked, All, Subtitles, Left, kNow},
        {NoMode, kNoCover, kNoSubs, Neither, SubtitlesClicked, NoMode, Subtitles, Left, kNow},
        {AudioAndVideo, kCover, kSubs, Neither, SubtitlesClicked, AudioAndVideo, Subtitles, Left, kSubsLater},
        {Audio, kCover, kSubs, Subtitles, SubtitlesClicked, Audio, Neither, Left, kNow},
        // Checking the thumbnail: refused later in full-video mode, and in audio mode with a chosen format that
        // takes no cover.
        {Video, kCover, kSubs, Neither, ThumbnailClicked, Video, Thumbnail, Left, kThumbLater},
        {Audio, kCover, kSubs, Neither, ThumbnailClicked, Audio, Thumbnail, Left, kNow},
        {Audio, kNoCover, kSubs, Neither, ThumbnailClicked, Audio, Thumbnail, Left, kThumbLater},
        {Audio, kNone, kSubs, Neither, ThumbnailClicked, Audio, Thumbnail, Left, kNow},
        {All, kNoCover, kNoSubs, Neither, ThumbnailClicked, All, Thumbnail, Left, kNow},
        {NoMode, kNoCover, kNoSubs, Neither, ThumbnailClicked, NoMode, Thumbnail, Left, kNow},
        {AudioAndVideo, kCover, kSubs, Neither, ThumbnailClicked, AudioAndVideo, Thumbnail, Left, kThumbLater},
        {Video, kCover, kSubs, Thumbnail, ThumbnailClicked, Video, Neither, Left, kNow},
        // A format chosen: the audio format clears the thumbnail in audio mode only; the video format clears
        // subtitles unless full-video mode has a format that takes them.
        {Audio, kNoCover, kSubs, Both, AudioFormatChosen, Audio, Subtitles, Left, kNow},
        {Audio, kCover, kSubs, Both, AudioFormatChosen, Audio, Both, Left, kNow},
        {All, kNoCover, kSubs, Both, AudioFormatChosen, All, Both, Left, kNow},
        {Video, kCover, kNoSubs, Both, VideoFormatChosen, Video, Thumbnail, Left, kNow},
        {Video, kCover, kSubs, Both, VideoFormatChosen, Video, Both, Left, kNow},
        {All, kCover, kSubs, Both, VideoFormatChosen, All, Thumbnail, Left, kNow},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(++row));
        const OptionBoxes before = Clicked(Boxes(c.mode, c.embedded, c.audio, c.video), c.event);
        const OptionOutcome expected{Boxes(c.modeAfter, c.embeddedAfter, c.audio, c.video), ControlsOf(c.controls),
                                     c.delayed};
        EXPECT_EQ(DecideOptions(c.event, before), expected);
    }
}

}  // namespace
