#pragma once

#include <string>

// The window's outer rectangle as kept in the settings: width "x" height ":" left ";" top.
struct WindowPlacementRect {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
};

// Edges in screen coordinates.
struct ScreenEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the caption of a window with that placement lies: across the window's width, from its top down by the
// caption's height with the frame above it. The stored numbers may be anything: edges stop at the int range.
ScreenEdges CaptionEdges(const WindowPlacementRect& placement, int captionHeight);

std::wstring FormatWindowPlacement(const WindowPlacementRect& rect);

// A missing separator leaves the part before it empty (0) and the part after it the whole text searched.
WindowPlacementRect ParseWindowPlacement(const std::wstring& text);

// The integer the text begins with: blanks, one sign, digits; 0 without one; clamped to the int range.
int ParseLeadingInt(const std::wstring& text);
