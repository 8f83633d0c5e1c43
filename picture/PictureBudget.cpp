#include "picture/PictureBudget.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kSurfaceBytesPerPixel = 4;
constexpr std::uint64_t kFrameBytesPerPixel = 12;
// A frame's record, its pixel buffers' bookkeeping and the decoder's objects: it also bounds the number of
// frames, whose decoding takes time however small they are.
constexpr std::uint64_t kFrameOverheadBytes = 4096;

// Sides are at most 65535 in a GIF and far less in any other picture a control shows; negative ones count as none.
std::uint64_t Pixels(std::int64_t width, std::int64_t height) {
    constexpr std::int64_t kLongestSide = 1 << 20;
    return static_cast<std::uint64_t>(std::clamp<std::int64_t>(width, 0, kLongestSide)) *
           static_cast<std::uint64_t>(std::clamp<std::int64_t>(height, 0, kLongestSide));
}

}  // namespace

bool PictureBudget::Add(std::uint64_t bytes) {
    // Stops just past the budget, so that the total cannot wrap: once over, it stays over.
    constexpr std::uint64_t kOver = kPictureMemoryBudget + 1;
    m_bytes = bytes >= kOver - m_bytes ? kOver : m_bytes + bytes;
    return Fits();
}

bool PictureBudget::AddSurface(std::int64_t width, std::int64_t height) {
    return Add(Pixels(width, height) * kSurfaceBytesPerPixel);
}

bool PictureBudget::AddFrame(std::int64_t width, std::int64_t height) {
    return Add(Pixels(width, height) * kFrameBytesPerPixel + kFrameOverheadBytes);
}
