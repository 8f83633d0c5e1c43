#include "picture/GifWalker.h"

#include <cstring>
#include <limits>

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

constexpr std::uint8_t kPlainTextLabel = 0x01;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kCommentLabel = 0xFE;
constexpr std::uint8_t kApplicationLabel = 0xFF;

// Fixed parts in front of each block's sub-block chain; the block-size bytes inside them are not
// trusted, these are the lengths the format defines.
constexpr std::uint32_t kApplicationFixed = 14;
constexpr std::uint32_t kCommentFixed = 2;
constexpr std::uint32_t kGraphicControlLength = 8;
constexpr std::uint32_t kPlainTextFixed = 15;
constexpr std::uint32_t kImageFixed = 11;  // descriptor plus the LZW minimum code size

constexpr std::uint32_t kImagePackedAt = 9;

bool IsMetadataExtension(GifBlockKind kind) {
    return kind == GifBlockKind::ApplicationExtension || kind == GifBlockKind::CommentExtension;
}

bool IsRenderingBlock(GifBlockKind kind) {
    return kind == GifBlockKind::Image || kind == GifBlockKind::PlainTextExtension;
}

}  // namespace

std::uint32_t GifColorTableLength(std::uint8_t packed) {
    if ((packed & 0x80) == 0) return 0;
    return 3u << ((packed & 7) + 1);
}

bool HasGifSignature(const std::uint8_t* data, std::uint32_t size) {
    return data && size >= 3 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F';
}

std::optional<GifScreen> ReadGifScreen(const std::uint8_t* data, std::uint32_t size) {
    if (!data || size < kGifScreenEnd) return std::nullopt;
    GifScreen screen;
    screen.width = static_cast<std::uint16_t>(data[6] | (data[7] << 8));
    screen.height = static_cast<std::uint16_t>(data[8] | (data[9] << 8));
    screen.globalColorTableLength = GifColorTableLength(data[10]);
    return screen;
}

std::uint16_t GifWalker::ReadU16(std::uint32_t offset) const {
    return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
}

GifBlockKind GifWalker::PeekBlockKind() const {
    if (!m_data || m_offset >= m_size) return GifBlockKind::Unknown;
    switch (m_data[m_offset]) {
    case kImageSeparator:
        return GifBlockKind::Image;
    case kTrailer:
        return GifBlockKind::Trailer;
    case kExtensionIntroducer:
        break;
    default:
        return GifBlockKind::Unknown;
    }
    if (m_size - m_offset < 2) return GifBlockKind::Unknown;
    switch (m_data[m_offset + 1]) {
    case kApplicationLabel:
        return GifBlockKind::ApplicationExtension;
    case kCommentLabel:
        return GifBlockKind::CommentExtension;
    case kGraphicControlLabel:
        return GifBlockKind::GraphicControlExtension;
    case kPlainTextLabel:
        return GifBlockKind::PlainTextExtension;
    default:
        return GifBlockKind::Unknown;
    }
}

std::uint32_t GifWalker::MeasureSubBlocks(std::uint32_t offset) const {
    if (!m_data) return 0;
    // 64-bit so that a length byte near the 4 GiB end cannot wrap the position back into the data.
    std::uint64_t position = offset;
    while (position < m_size) {
        const std::uint8_t length = m_data[position];
        if (length == 0) return static_cast<std::uint32_t>(position + 1 - offset);
        position += std::uint64_t{length} + 1;
    }
    return 0;
}

std::int64_t GifWalker::MeasureBlock() const {
    const GifBlockKind kind = PeekBlockKind();
    if (kind == GifBlockKind::Unknown) return -1;

    const std::uint32_t remaining = m_size - m_offset;
    auto withChain = [&](std::uint64_t fixed) -> std::int64_t {
        if (fixed >= remaining) return 0;
        const std::uint32_t chain = MeasureSubBlocks(m_offset + static_cast<std::uint32_t>(fixed));
        return chain == 0 ? 0 : static_cast<std::int64_t>(fixed + chain);
    };

    switch (kind) {
    case GifBlockKind::ApplicationExtension:
        return withChain(kApplicationFixed);
    case GifBlockKind::CommentExtension:
        return withChain(kCommentFixed);
    case GifBlockKind::GraphicControlExtension:
        return remaining >= kGraphicControlLength ? kGraphicControlLength : 0;
    case GifBlockKind::PlainTextExtension:
        return withChain(kPlainTextFixed);
    case GifBlockKind::Image:
        if (remaining < kImageFixed) return 0;
        return withChain(std::uint64_t{kImageFixed} + GifColorTableLength(m_data[m_offset + kImagePackedAt]));
    case GifBlockKind::Trailer:
        return 1;
    case GifBlockKind::Unknown:
        break;
    }
    return -1;
}

bool GifWalker::SkipBlock() {
    if (!m_data) return false;
    const std::int64_t length = MeasureBlock();
    if (length <= 0 || length > std::int64_t{m_size} - m_offset) return false;
    m_offset += static_cast<std::uint32_t>(length);
    return true;
}

bool GifWalker::SkipLeadingExtensions() {
    while (IsMetadataExtension(PeekBlockKind())) {
        if (!SkipBlock()) return false;
    }
    return IsRenderingBlock(PeekBlockKind()) || PeekBlockKind() == GifBlockKind::GraphicControlExtension;
}

// From a graphic control extension at the read offset to the rendering block it belongs to.
bool GifWalker::SkipToRenderingBlock() {
    if (!SkipBlock()) return false;
    for (;;) {
        const GifBlockKind kind = PeekBlockKind();
        if (IsRenderingBlock(kind)) return true;
        if (!IsMetadataExtension(kind) && kind != GifBlockKind::GraphicControlExtension) return false;
        if (!SkipBlock()) return false;
    }
}

bool GifWalker::SkipFrame() {
    GifFrameInfo unused;
    std::uint32_t start = 0;
    return WalkFrame(unused, start);
}

bool GifWalker::SkipFrame(GifFrameInfo& frame) {
    std::uint32_t start = 0;
    return WalkFrame(frame, start);
}

bool GifWalker::WalkFrame(GifFrameInfo& frame, std::uint32_t& start) {
    if (!m_data) return false;
    frame.disposal = 0;
    if (!SkipLeadingExtensions()) return false;

    start = m_offset;
    if (MeasureBlock() <= 0) return false;

    if (PeekBlockKind() == GifBlockKind::GraphicControlExtension) {
        frame.delay = ReadU16(m_offset + 4);
        frame.disposal = (m_data[m_offset + 3] >> 2) & 7;
        if (!SkipToRenderingBlock()) return false;
    } else {
        frame.delay = kGifNoDelay;
    }

    if (PeekBlockKind() == GifBlockKind::Image) {
        if (MeasureBlock() <= 0) return false;
        frame.left = ReadU16(m_offset + 1);
        frame.top = ReadU16(m_offset + 3);
        frame.width = ReadU16(m_offset + 5);
        frame.height = ReadU16(m_offset + 7);
    }
    return SkipBlock();
}

std::uint8_t* GifWalker::ExtractFrame(GifFrameInfo& frame, const GifFrameAllocator& allocate) {
    std::uint32_t start = 0;
    if (!WalkFrame(frame, start)) return nullptr;

    const std::uint32_t span = m_offset - start;
    const std::uint32_t prefix = FirstBlockOffset();
    if (prefix > m_size) return nullptr;
    const std::uint64_t length = std::uint64_t{prefix} + span + 1;
    if (length > std::numeric_limits<std::uint32_t>::max()) return nullptr;

    std::uint8_t* gif = allocate(static_cast<std::uint32_t>(length));
    if (!gif) return nullptr;
    std::memcpy(gif, m_data, prefix);
    std::memcpy(gif + prefix, m_data + start, span);
    gif[prefix + span] = kTrailer;
    frame.length = static_cast<std::uint32_t>(length);
    return gif;
}
