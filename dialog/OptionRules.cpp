#include "dialog/OptionRules.h"

namespace {

bool TakesCoverArt(int audioFormat) {
    const AudioFormat* format = FormatAt(kAudioFormats, audioFormat);
    return format && format->takesCoverArt;
}

// A click refuses the cover only for a chosen format that cannot carry one.
bool RefusesCoverArt(int audioFormat) {
    const AudioFormat* format = FormatAt(kAudioFormats, audioFormat);
    return format && !format->takesCoverArt;
}

bool TakesSubtitles(int videoFormat) {
    const VideoFormat* format = FormatAt(kVideoFormats, videoFormat);
    return format && format->takesSubtitles;
}

// Subtitles never; the thumbnail only where the format can carry a cover.
OptionOutcome AudioMode(OptionBoxes boxes) {
    boxes.audioOnly = true;
    boxes.fullVideo = false;
    boxes.allFormats = false;
    boxes.subtitles = false;
    if (!TakesCoverArt(boxes.audioFormat)) boxes.thumbnail = false;
    return {boxes, ModeControls{true, false, false}};
}

// Subtitles only where the format can carry them; the thumbnail never.
OptionOutcome FullVideoMode(OptionBoxes boxes) {
    boxes.audioOnly = false;
    boxes.fullVideo = true;
    boxes.allFormats = false;
    if (!TakesSubtitles(boxes.videoFormat)) boxes.subtitles = false;
    boxes.thumbnail = false;
    return {boxes, ModeControls{false, true, true}};
}

// Either way the embedding boxes are left alone: all formats can take them, and leaving all formats for full
// video keeps what the user had.
OptionOutcome AllFormatsClicked(OptionBoxes boxes) {
    const bool allFormats = boxes.allFormats;
    boxes.audioOnly = false;
    boxes.fullVideo = !allFormats;
    return {boxes, ModeControls{false, !allFormats, true}};
}

}  // namespace

OptionOutcome DecideOptions(OptionEvent event, const OptionBoxes& now) {
    OptionOutcome outcome{now, std::nullopt};  // the boxes as they are, the mode controls left alone
    switch (event) {
    case OptionEvent::AudioOnlyClicked:
        return now.audioOnly ? AudioMode(now) : FullVideoMode(now);
    case OptionEvent::FullVideoClicked:
        return now.fullVideo ? FullVideoMode(now) : AudioMode(now);
    case OptionEvent::AllFormatsClicked:
        return AllFormatsClicked(now);
    case OptionEvent::SubtitlesClicked:
        if (now.subtitles && (now.audioOnly || (now.fullVideo && !TakesSubtitles(now.videoFormat)))) {
            outcome.delayedUncheck = DelayedUncheck::Subtitles;
        }
        return outcome;
    case OptionEvent::ThumbnailClicked:
        if (now.thumbnail && (now.fullVideo || (now.audioOnly && RefusesCoverArt(now.audioFormat)))) {
            outcome.delayedUncheck = DelayedUncheck::Thumbnail;
        }
        return outcome;
    case OptionEvent::AudioFormatChosen:
        if (now.audioOnly && RefusesCoverArt(now.audioFormat)) outcome.boxes.thumbnail = false;
        return outcome;
    case OptionEvent::VideoFormatChosen:
        if (!(now.fullVideo && TakesSubtitles(now.videoFormat))) outcome.boxes.subtitles = false;
        return outcome;
    }
    return outcome;
}
