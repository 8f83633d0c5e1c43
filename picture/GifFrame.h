#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <optional>

#include "picture/FrameImage.h"

// One decoded frame of an animated GIF and how to place and keep it.
struct GifFrame {
    // The decoded picture, kept only while the frame has no image rendered from it.
    Microsoft::WRL::ComPtr<IPicture> pPicture;
    std::optional<FrameImage> image;
    SIZE frameSize{};
    POINT frameOffset{};
    UINT nDelay = 0;     // hundredths of a second; 0xFFFFFFFF without a graphic control extension
    UINT nDisposal = 0;  // what happens to the frame's area once its delay is over
};
