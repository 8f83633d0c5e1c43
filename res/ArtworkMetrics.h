// Written by scripts/make-artwork: what the artwork of bitmaps 129 and 130 is drawn for.
#pragma once

// The template font's base units (MapDialogRect of 4 x 8) the captions of bitmap 129 are placed for.
constexpr int kArtworkBaseUnitX = 7;
constexpr int kArtworkBaseUnitY = 15;

// Where bitmap 130 lies in bitmap 129, in pixels: the mode picture is cut from the same scene.
constexpr int kArtworkModePictureX = 0;
constexpr int kArtworkModePictureY = 444;
