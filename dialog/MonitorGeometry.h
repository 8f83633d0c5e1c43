#pragma once
// Where a window stands among the monitors, for the placement the settings keep.

#include <windows.h>

#include "dialog/WindowPlacementText.h"

// True when the caption of a window with that placement would lie on the work area of some monitor.
bool CaptionOnSomeWorkArea(const WindowPlacementRect& placement);

// The rectangle to keep: the restored one when the window is minimised or maximised.
RECT RestoredWindowRect(HWND window);
