#include "picture/FrameDelay.h"

#include "picture/GifWalker.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kFastDelayLimit = 5;
constexpr std::uint32_t kFastDelayMilliseconds = 100;
// kGifNoDelay * 10 in 32-bit arithmetic: the longest wait, and one short of INFINITE.
constexpr std::uint32_t kLongestMilliseconds = 4294967286u;

}  // namespace

std::uint32_t FrameDelayMilliseconds(std::uint32_t hundredths) {
    if (hundredths < kFastDelayLimit) return kFastDelayMilliseconds;
    if (hundredths == kGifNoDelay) return kLongestMilliseconds;
    const std::uint64_t milliseconds = std::uint64_t{hundredths} * 10;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(milliseconds, kLongestMilliseconds));
}
