#include "picture/FrameDelay.h"
#include "picture/GifWalker.h"
#include "tests/fuzz/gif_walker_invariants.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// GIF data assembled block by block; Mark() and Since() cut out the bytes a frame should span.
class GifBytes {
public:
    explicit GifBytes(std::uint8_t screenPacked = 0x80, std::uint16_t width = 20, std::uint16_t height = 10) {
        Append({'G', 'I', 'F', '8', '9', 'a'});
        U16(width);
        U16(height);
        Append({screenPacked, 0, 0});
        for (std::uint32_t i = 0; i < GifColorTableLength(screenPacked); ++i)
            bytes.push_back(static_cast<std::uint8_t>(i * 7));
    }

    GifBytes& Gce(std::uint16_t delay, std::uint8_t disposal) {
        Append({0x21, 0xF9, 0x04, static_cast<std::uint8_t>(disposal << 2)});
        U16(delay);
        Append({0x00, 0x00});
        return *this;
    }
    GifBytes& Comment(const std::string& text) {
        Append({0x21, 0xFE});
        SubBlocks(text.size());
        return *this;
    }
    GifBytes& Loop() {
        Append({0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'});
        Append({0x03, 0x01, 0x00, 0x00, 0x00});
        return *this;
    }
    GifBytes& Image(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                    std::uint8_t packed = 0, std::size_t dataLength = 5) {
        bytes.push_back(0x2C);
        U16(left);
        U16(top);
        U16(width);
        U16(height);
        bytes.push_back(packed);
        for (std::uint32_t i = 0; i < GifColorTableLength(packed); ++i) bytes.push_back(0xEE);
        bytes.push_back(0x02);  // LZW minimum code size
        SubBlocks(dataLength);
        return *this;
    }
    GifBytes& PlainText() {
        Append({0x21, 0x01, 0x0C, 0, 0, 0, 0, 8, 0, 8, 0, 1, 1, 1, 0});
        SubBlocks(4);
        return *this;
    }
    GifBytes& Trailer() {
        bytes.push_back(0x3B);
        return *this;
    }
    GifBytes& Raw(std::initializer_list<std::uint8_t> raw) {
        Append(raw);
        return *this;
    }

    std::size_t Mark() const { return bytes.size(); }
    Bytes Since(std::size_t mark) const { return Bytes(bytes.begin() + static_cast<long>(mark), bytes.end()); }

    Bytes bytes;

private:
    void Append(std::initializer_list<std::uint8_t> raw) { bytes.insert(bytes.end(), raw); }
    void U16(std::uint16_t value) { Append({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)}); }
    // Data split into sub-blocks of at most 255 bytes, then the terminator.
    void SubBlocks(std::size_t length) {
        while (length > 0) {
            const std::size_t chunk = std::min<std::size_t>(length, 255);
            bytes.push_back(static_cast<std::uint8_t>(chunk));
            for (std::size_t i = 0; i < chunk; ++i) bytes.push_back(static_cast<std::uint8_t>(0x40 + i));
            length -= chunk;
        }
        bytes.push_back(0x00);
    }
};

struct ExtractedFrame {
    Bytes gif;
    GifFrameInfo info;
};

struct Walk {
    std::uint32_t counted = 0;
    std::vector<ExtractedFrame> frames;
};

GifWalker WalkerAtFirstBlock(const Bytes& data) {
    const std::uint32_t table = ReadGifScreen(data.data(), static_cast<std::uint32_t>(data.size()))
                                    .value_or(GifScreen{})
                                    .globalColorTableLength;
    GifWalker walker(data.data(), static_cast<std::uint32_t>(data.size()), 0, table);
    walker.Rewind();
    return walker;
}

// Both passes the picture control makes: count, then rewind and extract. The data is copied to a
// buffer of exactly its size so that the sanitizer sees any read past the end.
Walk WalkGif(const Bytes& source) {
    const Bytes data(source);
    Walk walk;
    GifWalker walker = WalkerAtFirstBlock(data);
    while (walker.SkipFrame()) ++walk.counted;

    walker.Rewind();
    GifFrameInfo info;
    Bytes storage;
    const GifFrameAllocator allocate = [&](std::uint32_t length) {
        storage.assign(length, 0xCD);
        return storage.data();
    };
    while (walker.ExtractFrame(info, allocate)) walk.frames.push_back({storage, info});
    return walk;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(GifWalker, FrameOfExtensionAndImageIsHeaderTableExtensionImageAndTrailer) {
    GifBytes gif;
    const Bytes prefix = gif.bytes;
    std::size_t mark = gif.Mark();
    gif.Gce(7, 1).Image(0, 0, 20, 10);
    const Bytes first = gif.Since(mark);
    mark = gif.Mark();
    gif.Gce(9, 2).Image(2, 3, 4, 5, 0, 300);
    const Bytes second = gif.Since(mark);
    gif.Trailer();

    const Walk walk = WalkGif(gif.bytes);
    EXPECT_EQ(walk.counted, 2u);
    ASSERT_EQ(walk.frames.size(), 2u);
    EXPECT_EQ(walk.frames[0].gif, Concat({prefix, first, {0x3B}}));
    EXPECT_EQ(walk.frames[1].gif, Concat({prefix, second, {0x3B}}));
    EXPECT_EQ(walk.frames[1].info.length, walk.frames[1].gif.size());
    EXPECT_EQ(walk.frames[1].info.delay, 9u);
    EXPECT_EQ(walk.frames[1].info.disposal, 2u);
    EXPECT_EQ(std::make_pair(walk.frames[1].info.left, walk.frames[1].info.top), std::make_pair(2, 3));
    EXPECT_EQ(std::make_pair(walk.frames[1].info.width, walk.frames[1].info.height), std::make_pair(4, 5));
}

TEST(GifWalker, SpanKeepsBlocksBetweenExtensionAndImageAndDropsLeadingOnes) {
    GifBytes gif;
    const Bytes prefix = gif.bytes;
    gif.Loop().Comment("made here");  // in front of the first frame: never copied
    std::size_t mark = gif.Mark();
    gif.Gce(4, 0).Comment("between").Image(0, 0, 20, 10);
    const Bytes commented = gif.Since(mark);
    gif.Comment("leading");
    mark = gif.Mark();
    gif.Gce(6, 3).Gce(50, 1).Loop().Image(1, 1, 5, 5);
    const Bytes twoExtensions = gif.Since(mark);
    gif.Comment("after the last frame").Trailer();

    const Walk walk = WalkGif(gif.bytes);
    EXPECT_EQ(walk.counted, 2u);
    ASSERT_EQ(walk.frames.size(), 2u);
    EXPECT_EQ(walk.frames[0].gif, Concat({prefix, commented, {0x3B}}));
    EXPECT_EQ(walk.frames[1].gif, Concat({prefix, twoExtensions, {0x3B}}));
    // The first of two graphic control extensions decides.
    EXPECT_EQ(walk.frames[1].info.delay, 6u);
    EXPECT_EQ(walk.frames[1].info.disposal, 3u);
}

TEST(GifWalker, DeliversDelayAndDisposalAsStored) {
    GifBytes gif;
    gif.Image(0, 0, 20, 10);  // no extension
    for (std::uint8_t disposal = 4; disposal <= 7; ++disposal) gif.Gce(0, disposal).Image(0, 0, 20, 10);
    gif.Gce(65535, 0).Image(0, 0, 20, 10).Trailer();

    const Walk walk = WalkGif(gif.bytes);
    ASSERT_EQ(walk.frames.size(), 6u);
    EXPECT_EQ(walk.frames[0].info.delay, kGifNoDelay);
    EXPECT_EQ(walk.frames[0].info.disposal, 0u);
    for (std::uint32_t i = 1; i <= 4; ++i) {
        EXPECT_EQ(walk.frames[i].info.delay, 0u);
        EXPECT_EQ(walk.frames[i].info.disposal, i + 3);
    }
    EXPECT_EQ(walk.frames[5].info.delay, 65535u);
}

TEST(GifWalker, ColourTablesSetWhereBlocksStart) {
    struct Case {
        std::uint8_t screenPacked;
        std::uint32_t firstBlock;
    };
    for (const Case& c : {Case{0xF7, 781}, Case{0x80, 19}, Case{0x00, 13}, Case{0x07, 13}}) {
        SCOPED_TRACE(static_cast<int>(c.screenPacked));
        GifBytes gif(c.screenPacked);
        ASSERT_EQ(gif.Mark(), c.firstBlock);
        gif.Gce(5, 0).Image(0, 0, 20, 10).Gce(5, 0).Image(0, 0, 20, 10).Trailer();
        const GifWalker walker = WalkerAtFirstBlock(gif.bytes);
        EXPECT_EQ(walker.Offset(), c.firstBlock);
        EXPECT_EQ(walker.PeekBlockKind(), GifBlockKind::GraphicControlExtension);
        const Walk walk = WalkGif(gif.bytes);
        ASSERT_EQ(walk.frames.size(), 2u);
        for (const ExtractedFrame& frame : walk.frames)
            EXPECT_TRUE(std::equal(gif.bytes.begin(), gif.bytes.begin() + c.firstBlock, frame.gif.begin()));
    }
}

TEST(GifWalker, LocalColourTableIsPartOfTheImageBlock) {
    GifBytes gif(0x00);
    gif.Image(0, 0, 2, 2, 0x81, 3).Trailer();
    GifWalker walker = WalkerAtFirstBlock(gif.bytes);
    // Descriptor 10, table 12, code size 1, then the chain: one sub-block of 3 and the terminator.
    EXPECT_EQ(walker.MeasureBlock(), 10 + 12 + 1 + (1 + 3) + 1);
    EXPECT_TRUE(walker.SkipBlock());
    EXPECT_EQ(walker.PeekBlockKind(), GifBlockKind::Trailer);
}

// Covers the missing trailer, an image cut inside its data or before its terminator, and data too
// short for its screen descriptor or colour table.
TEST(GifWalker, EveryTruncationWalksOnlyTheFramesThatFit) {
    GifBytes gif(0x81);
    gif.Loop().Comment("c");
    std::vector<std::size_t> frameEnds;
    gif.Gce(5, 2).Image(0, 0, 20, 10, 0x80, 40);
    frameEnds.push_back(gif.Mark());
    gif.PlainText();
    frameEnds.push_back(gif.Mark());
    gif.Gce(5, 3).Comment("x").Image(1, 1, 3, 3, 0, 300);
    frameEnds.push_back(gif.Mark());
    gif.Trailer();

    for (std::size_t length = 0; length <= gif.bytes.size(); ++length) {
        const Bytes truncated(gif.bytes.begin(), gif.bytes.begin() + static_cast<long>(length));
        std::uint32_t fitting = 0;
        for (std::size_t end : frameEnds) fitting += end <= length ? 1 : 0;
        const Walk walk = WalkGif(truncated);
        ASSERT_EQ(walk.counted, fitting) << "length " << length;
        ASSERT_EQ(walk.frames.size(), fitting) << "length " << length;
    }
}

TEST(GifWalker, UnknownBytesAndLabelsEndTheWalk) {
    struct Case {
        const char* name;
        std::initializer_list<std::uint8_t> stray;
    };
    for (const Case& c : {Case{"unknown byte", {0x00}}, Case{"unknown label", {0x21, 0xAA, 0x01, 0x00, 0x00}},
                          Case{"introducer as the last byte", {0x21}}}) {
        SCOPED_TRACE(c.name);
        GifBytes gif;
        gif.Gce(5, 0).Image(0, 0, 20, 10).Raw(c.stray);
        const std::size_t stray = gif.Mark() - c.stray.size();
        if (c.stray.size() > 1) gif.Gce(5, 0).Image(0, 0, 20, 10).Trailer();
        const Walk walk = WalkGif(gif.bytes);
        EXPECT_EQ(walk.counted, 1u);
        EXPECT_EQ(walk.frames.size(), 1u);

        GifWalker walker = WalkerAtFirstBlock(gif.bytes);
        ASSERT_TRUE(walker.SkipFrame());
        EXPECT_EQ(walker.Offset(), stray);
        EXPECT_EQ(walker.PeekBlockKind(), GifBlockKind::Unknown);
        EXPECT_EQ(walker.MeasureBlock(), -1);
        EXPECT_FALSE(walker.SkipBlock());
        EXPECT_EQ(walker.Offset(), stray);
    }
}

TEST(GifWalker, PlainTextFrameKeepsThePreviousSizeAndPosition) {
    GifBytes gif;
    const Bytes prefix = gif.bytes;
    gif.Gce(5, 0).Image(3, 4, 5, 6);
    const std::size_t mark = gif.Mark();
    gif.Gce(8, 1).PlainText();
    const Bytes text = gif.Since(mark);
    gif.Trailer();

    const Walk walk = WalkGif(gif.bytes);
    ASSERT_EQ(walk.frames.size(), 2u);
    const GifFrameInfo& info = walk.frames[1].info;
    EXPECT_EQ(walk.frames[1].gif, Concat({prefix, text, {0x3B}}));
    EXPECT_EQ(info.delay, 8u);
    EXPECT_EQ(std::make_pair(info.left, info.top), std::make_pair(3, 4));
    EXPECT_EQ(std::make_pair(info.width, info.height), std::make_pair(5, 6));
}

TEST(GifWalker, FailedAllocationMovesPastTheFrameAndReturnsNull) {
    GifBytes gif;
    gif.Gce(5, 0).Image(0, 0, 20, 10).Gce(6, 0).Image(0, 0, 20, 10).Trailer();
    GifWalker walker = WalkerAtFirstBlock(gif.bytes);
    GifFrameInfo info;
    EXPECT_EQ(walker.ExtractFrame(info, [](std::uint32_t) { return nullptr; }), nullptr);
    Bytes storage;
    EXPECT_NE(walker.ExtractFrame(info,
                                  [&](std::uint32_t n) {
                                      storage.resize(n);
                                      return storage.data();
                                  }),
              nullptr);
    EXPECT_EQ(info.delay, 6u);
}

TEST(FrameDelay, MapsHundredthsToMilliseconds) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0, 100},
        {1, 100},
        {4, 100},
        {5, 50},
        {7, 70},
        {10, 100},
        {100, 1000},
        {65535, 655350},
        {kGifNoDelay, 4294967286u},
        // Would wrap to 4 ms in 32-bit arithmetic.
        {0x1999999Au, 4294967286u},
    };
    for (const auto& [hundredths, milliseconds] : cases)
        EXPECT_EQ(FrameDelayMilliseconds(hundredths), milliseconds) << hundredths;
}

TEST(GifWalkerCorpus, EveryFileKeepsTheWalkerInvariants) {
    const std::filesystem::path corpus = std::filesystem::path(REELSIFT_TEST_DATA) / "fuzz" / "gif_walker";
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(CheckGifWalkerInvariants(data.data(), static_cast<std::uint32_t>(data.size())), "") << entry.path();
        ++files;
    }
    EXPECT_GT(files, 5u);
}

}  // namespace
