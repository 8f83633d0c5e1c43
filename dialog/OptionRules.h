#pragma once
// The rules that keep the option boxes consistent: the three modes exclude each other and a mode box that is
// unchecked falls back to another mode; each format combo box is enabled only in its own mode; the embedding
// boxes are cleared where the mode and format cannot take them, at once or, after a click on them, a moment
// later.

#include <optional>

#include "download/Formats.h"

// What the option boxes and the format combo boxes hold.
struct OptionBoxes {
    bool audioOnly = false;
    bool fullVideo = false;
    bool allFormats = false;
    bool subtitles = false;
    bool thumbnail = false;
    int audioFormat = kNoFormatSelected;
    int videoFormat = kNoFormatSelected;

    bool operator==(const OptionBoxes&) const = default;
};

// The controls that follow the mode.
struct ModeControls {
    bool audioFormatEnabled = false;
    bool videoFormatEnabled = false;
    bool modePictureShown = false;

    bool operator==(const ModeControls&) const = default;
};

enum class DelayedUncheck { None, Subtitles, Thumbnail };

// A click on a box (which has already toggled it) or a new selection in a format combo box.
enum class OptionEvent {
    AudioOnlyClicked,
    FullVideoClicked,
    AllFormatsClicked,
    SubtitlesClicked,
    ThumbnailClicked,
    AudioFormatChosen,
    VideoFormatChosen,
};

struct OptionOutcome {
    OptionBoxes boxes;                 // as they must be now; the selections never change
    std::optional<ModeControls> mode;  // only the mode boxes set these; otherwise they stay as they are
    DelayedUncheck delayedUncheck = DelayedUncheck::None;

    bool operator==(const OptionOutcome&) const = default;
};

OptionOutcome DecideOptions(OptionEvent event, const OptionBoxes& now);
