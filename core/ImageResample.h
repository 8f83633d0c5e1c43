#pragma once
// Resizing of 24-bit pictures with a sharp cubic filter, for artwork drawn at one size and shown at another.

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels of three bytes each, left to right, rows top to bottom; each row padded to a multiple of four bytes,
// as in a 24-bit device-independent bitmap, so that whole bitmaps copy in and out at once.
struct Image24 {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;

    static size_t StrideOf(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3); }
    size_t Stride() const { return StrideOf(width); }
};

// How one axis of the output lies over the source: the centre of output pixel o shows the source at
// (o + 0.5) / scale - 0.5 + shift, in source pixels. A shift lets a piece cut from a larger picture be scaled
// exactly as the larger picture is.
struct AxisMapping {
    double scale = 1.0;
    double shift = 0.0;
};

// The source resampled to width x height with a Catmull-Rom filter, widened by 1 / scale when shrinking so that
// detail finer than an output pixel averages out instead of aliasing. Beyond its edges the source repeats its
// edge pixels. An empty image when a size or a scale is not usable, or when memory is short.
Image24 ResampleImage(const Image24& source, int width, int height, AxisMapping x, AxisMapping y);
