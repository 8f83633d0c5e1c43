// The resampler that shows the dialog's artwork at other display scales.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/ImageResample.h"

namespace {

Image24 Blank(int width, int height, uint8_t value = 0) {
    Image24 image;
    image.width = width;
    image.height = height;
    image.bytes.assign(image.Stride() * static_cast<size_t>(height), value);
    return image;
}

uint8_t* Pixel(Image24& image, int x, int y) {
    return image.bytes.data() + image.Stride() * static_cast<size_t>(y) + static_cast<size_t>(x) * 3;
}

int Channel(const Image24& image, int x, int y, int channel) {
    return image.bytes[image.Stride() * static_cast<size_t>(y) + static_cast<size_t>(x) * 3 + channel];
}

TEST(ImageResampleTest, AFlatColourStaysExactlyFlatUpToTheEdgesAtAnyScaleAndShift) {
    Image24 source = Blank(20, 12);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            uint8_t* pixel = Pixel(source, x, y);
            pixel[0] = 0x41;
            pixel[1] = 0x25;
            pixel[2] = 0x1C;
        }
    }
    const AxisMapping mappings[] = {{9.0 / 7.0, 0.0}, {29.0 / 15.0, 0.7}, {0.3, -0.4}, {2.0, 0.0}};
    for (const AxisMapping& mapping : mappings) {
        SCOPED_TRACE(mapping.scale);
        const int width = static_cast<int>(20 * mapping.scale + 0.5);
        const int height = static_cast<int>(12 * mapping.scale + 0.5);
        const Image24 scaled = ResampleImage(source, width, height, mapping, mapping);
        ASSERT_EQ(scaled.width, width);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(Channel(scaled, x, y, 0), 0x41);
                ASSERT_EQ(Channel(scaled, x, y, 1), 0x25);
                ASSERT_EQ(Channel(scaled, x, y, 2), 0x1C);
            }
        }
    }
}

// At 100 % the artwork is shown as drawn: no pixel filtered, only the edges repeated where the output is larger.
TEST(ImageResampleTest, AtUnitScaleEveryPixelIsCopiedAndTheEdgesRepeat) {
    Image24 source = Blank(5, 3);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) std::fill_n(Pixel(source, x, y), 3, static_cast<uint8_t>(40 * x + y));
    }
    for (const double shift : {0.0, 1.0}) {
        SCOPED_TRACE(shift);
        const Image24 copied = ResampleImage(source, 7, 4, {1.0, shift}, {1.0, shift});
        ASSERT_EQ(copied.width, 7);
        ASSERT_EQ(copied.height, 4);
        for (int y = 0; y < copied.height; ++y) {
            for (int x = 0; x < copied.width; ++x) {
                const int sx = std::min(x + static_cast<int>(shift), 4);
                const int sy = std::min(y + static_cast<int>(shift), 2);
                ASSERT_EQ(Channel(copied, x, y, 1), 40 * sx + sy) << x << "," << y;
            }
        }
    }
}

// A one-pixel white line on black, doubled: the two output pixels over it are the brightest, equally bright.
TEST(ImageResampleTest, AnEnlargedLineStaysOverItsSourcePixelOnBothAxes) {
    for (bool vertical : {true, false}) {
        SCOPED_TRACE(vertical ? "column" : "row");
        Image24 source = vertical ? Blank(30, 4) : Blank(4, 30);
        for (int i = 0; i < 4; ++i) {
            uint8_t* pixel = vertical ? Pixel(source, 11, i) : Pixel(source, i, 11);
            std::fill(pixel, pixel + 3, uint8_t{255});
        }
        const AxisMapping doubled{2.0, 0.0};
        const Image24 scaled =
            vertical ? ResampleImage(source, 60, 8, doubled, doubled) : ResampleImage(source, 8, 60, doubled, doubled);
        auto at = [&](int i) { return vertical ? Channel(scaled, i, 3, 1) : Channel(scaled, 3, i, 1); };
        EXPECT_EQ(at(22), at(23));
        EXPECT_GE(at(22), 200);
        for (int i = 0; i < 60; ++i) {
            if (i != 22 && i != 23) {
                EXPECT_LT(at(i), at(22)) << i;
            }
        }
        EXPECT_EQ(at(15), 0);
        EXPECT_EQ(at(30), 0);
    }
}

// Alternating black and white columns shrunk to a third: a filter that only looked at the nearest pixels
// would pick black or white by chance; the widened one shows the grey they make together.
TEST(ImageResampleTest, DetailFinerThanAnOutputPixelAveragesOutWhenShrunk) {
    Image24 source = Blank(90, 3);
    for (int x = 0; x < source.width; x += 2) {
        for (int y = 0; y < source.height; ++y) std::fill(Pixel(source, x, y), Pixel(source, x, y) + 3, uint8_t{255});
    }
    const Image24 scaled = ResampleImage(source, 30, 1, {1.0 / 3.0, 0.0}, {1.0 / 3.0, 0.0});
    ASSERT_EQ(scaled.width, 30);
    for (int x = 2; x < 28; ++x) EXPECT_NEAR(Channel(scaled, x, 0, 0), 128, 16) << x;
}

}  // namespace
