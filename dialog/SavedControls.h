#pragma once
// The controls whose state the settings keep, each under its value name, in the order they are written.

#include <array>

enum class SavedState {
    Check,      // "true" or "false"
    Selection,  // the selected index as decimal text, -1 for none
};

struct SavedControl {
    const wchar_t* valueName;
    int controlId;
    SavedState state;
};

extern const std::array<SavedControl, 13> kSavedControls;
