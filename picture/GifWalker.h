#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// The kind of block at the walker's read offset, from its first byte and, after 0x21, its label.
enum class GifBlockKind {
    Unknown = 0,
    ApplicationExtension = 1,
    CommentExtension = 2,
    GraphicControlExtension = 3,
    PlainTextExtension = 4,
    Image = 5,
    Trailer = 6,
};

// Header (6 bytes) plus logical screen descriptor (7 bytes).
inline constexpr std::uint32_t kGifScreenEnd = 13;

// Delay of a frame that has no graphic control extension: shown until stopped.
inline constexpr std::uint32_t kGifNoDelay = 0xFFFFFFFFu;

struct GifScreen {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t globalColorTableLength = 0;  // 0, or 6 to 768 bytes
};

// True when the data begins with "GIF"; the version is not looked at.
bool HasGifSignature(const std::uint8_t* data, std::uint32_t size);

// The logical screen of GIF data, or nothing when the data is too short to hold the descriptor.
std::optional<GifScreen> ReadGifScreen(const std::uint8_t* data, std::uint32_t size);

// What ExtractFrame delivers besides the one-frame GIF. A frame drawn by a plain text extension
// leaves width, height, left and top as they were.
struct GifFrameInfo {
    std::uint32_t length = 0;  // bytes of the one-frame GIF
    std::uint32_t delay = 0;   // hundredths of a second, kGifNoDelay without a graphic control extension
    std::uint32_t disposal = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
};

// Returns writable storage of exactly the given size, or null.
using GifFrameAllocator = std::function<std::uint8_t*(std::uint32_t size)>;

// Walks the blocks of GIF data in memory without decoding anything. No byte at or past the end of
// the data is ever read: every block is measured whole before a field of it is looked at.
class GifWalker {
public:
    GifWalker(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset, std::uint32_t globalColorTableLength)
        : m_data(data), m_size(size), m_offset(offset), m_globalColorTableLength(globalColorTableLength) {}

    std::uint32_t Offset() const { return m_offset; }
    std::uint32_t FirstBlockOffset() const { return kGifScreenEnd + m_globalColorTableLength; }
    void Rewind() { m_offset = FirstBlockOffset(); }

    GifBlockKind PeekBlockKind() const;

    // Length of the sub-block chain at offset, terminator included; 0 when it does not lie wholly
    // inside the data.
    std::uint32_t MeasureSubBlocks(std::uint32_t offset) const;

    // Length of the whole block at the read offset; -1 for Unknown, 0 when it does not fit.
    std::int64_t MeasureBlock() const;

    bool SkipBlock();
    bool SkipFrame();
    // Moves past one frame as ExtractFrame does, delivering all it delivers but the GIF and its length.
    bool SkipFrame(GifFrameInfo& frame);

    // Cuts the next frame into a GIF of its own in storage from allocate, and moves past the frame.
    // Null at the end of the frames, on malformed data, or when allocation fails.
    std::uint8_t* ExtractFrame(GifFrameInfo& frame, const GifFrameAllocator& allocate);

private:
    bool SkipLeadingExtensions();
    bool SkipToRenderingBlock();
    // One frame from its first block to past its rendering block; start receives where its graphic blocks begin.
    bool WalkFrame(GifFrameInfo& frame, std::uint32_t& start);
    std::uint16_t ReadU16(std::uint32_t offset) const;

    const std::uint8_t* m_data;
    std::uint32_t m_size;
    std::uint32_t m_offset;
    std::uint32_t m_globalColorTableLength;
};

std::uint32_t GifColorTableLength(std::uint8_t packed);
