#pragma once
// The dialog's two pictures at the dialog's own size. The artwork is drawn for one set of base units
// (res/ArtworkMetrics.h); at another display scale the controls grow with the font, and the painted captions
// must grow with them to stay under their click areas. Each picture is made exactly as large as the template
// rectangle of its static comes out, so that the background meets the client area's edges.

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/Handles.h"

class ScaledArtwork {
public:
    ScaledArtwork() = default;
    ScaledArtwork(const ScaledArtwork&) = delete;
    ScaledArtwork& operator=(const ScaledArtwork&) = delete;
    ~ScaledArtwork();

    // Gives the background static and the mode picture static copies of their bitmaps resampled to the dialog's
    // base units, each the size of its template rectangle, where the bitmap is not that already.
    void FitToDialog(HWND dialog);
    // Takes the copies back from the statics and frees them; while the dialog is being destroyed.
    void Release();

private:
    struct Shown {
        HWND control = nullptr;
        OwnedBitmap bitmap;
    };

    // pictureOrigin: where the static's bitmap lies in the background's pixels.
    static Shown Fit(HWND dialog, int id, const DialogUnitPlace& place, POINT pictureOrigin, double scaleX,
                     double scaleY);
    void Take(Shown& shown);

    Shown m_background;
    Shown m_modePicture;
};
