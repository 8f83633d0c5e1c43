#pragma once

// The selected index of the filter combo box; None when nothing is selected.
enum class FilterKind : int {
    None = -1,
    PlaylistItems = 0,
    MatchTitle,
    RejectTitle,
    MaxFileSize,
    MinFileSize,
    MinViews,
    MaxViews,
    Date,
    DateAfter,
    DateBefore,
    AgeLimit,
};
