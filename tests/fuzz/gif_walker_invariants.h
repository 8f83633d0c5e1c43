#pragma once

// What must hold for any bytes given to the GIF walker; shared by the fuzz target and the native
// replay of its corpus. Returns an empty string when everything holds, else what broke.

#include "picture/GifWalker.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

inline std::string CheckGifWalkerInvariants(const std::uint8_t* data, std::uint32_t size) {
    const std::uint32_t tableLength = ReadGifScreen(data, size).value_or(GifScreen{}).globalColorTableLength;
    GifWalker counter(data, size, kGifScreenEnd + tableLength, tableLength);
    std::uint32_t frameCount = 0;
    while (counter.SkipFrame()) {
        ++frameCount;
        if (counter.Offset() > size) return "counting moved past the end";
    }

    GifWalker extractor(data, size, 0, tableLength);
    extractor.Rewind();
    std::vector<std::unique_ptr<std::uint8_t[]>> frames;
    std::vector<std::uint32_t> lengths;
    GifFrameInfo info;
    const GifFrameAllocator allocate = [&](std::uint32_t length) {
        frames.push_back(std::make_unique<std::uint8_t[]>(length));
        lengths.push_back(length);
        return frames.back().get();
    };
    while (std::uint8_t* gif = extractor.ExtractFrame(info, allocate)) {
        if (gif != frames.back().get() || info.length != lengths.back())
            return "the frame's length differs from its allocation";
        const std::uint32_t prefix = kGifScreenEnd + tableLength;
        if (std::memcmp(gif, data, prefix) != 0)
            return "a frame does not begin with the source's header and colour table";
        if (gif[info.length - 1] != 0x3B) return "a frame does not end with the trailer";

        // Every one-frame GIF is a GIF of exactly one frame.
        GifWalker rewalk(gif, info.length, prefix, tableLength);
        if (!rewalk.SkipFrame() || rewalk.PeekBlockKind() != GifBlockKind::Trailer)
            return "an extracted frame does not walk as one frame";
        if (extractor.Offset() > size) return "extraction moved past the end";
    }
    if (frames.size() != frameCount) return "extraction and counting disagree on the number of frames";
    return {};
}
