#pragma once
// The dialog's two pictures at the dialog's own size. The artwork is drawn for one set of base units
// (res/ArtworkMetrics.h); at another display scale the controls grow with the font, and the painted captions
// must grow with them to stay under their click areas.

#include <windows.h>

#include "framework/Handles.h"

class ScaledArtwork {
public:
    ScaledArtwork() = default;
    ScaledArtwork(const ScaledArtwork&) = delete;
    ScaledArtwork& operator=(const ScaledArtwork&) = delete;
    ~ScaledArtwork();

    // When the dialog's base units differ from the artwork's, gives the background static and the mode
    // picture static copies of their bitmaps resampled to those units, each placed as the controls are.
    void FitToDialog(HWND dialog, int backgroundId, int modePictureId);
    // Takes the copies back from the statics and frees them; while the dialog is being destroyed.
    void Release();

private:
    struct Shown {
        HWND control = nullptr;
        OwnedBitmap bitmap;
    };

    // pictureOrigin: where the static's bitmap lies in the background's pixels.
    Shown Fit(HWND dialog, int id, POINT pictureOrigin, double scaleX, double scaleY);
    void Take(Shown& shown);

    Shown m_background;
    Shown m_modePicture;
};
