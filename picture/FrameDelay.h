#pragma once

#include <cstdint>

// How long a frame stays, in milliseconds, for its delay in hundredths of a second. Delays below 5
// are too fast to be meant and become 100 ms. A frame without a graphic control extension stays
// 4294967286 ms, that is until the animation is stopped; no delay ever wraps to a short wait.
std::uint32_t FrameDelayMilliseconds(std::uint32_t hundredths);
