#include "core/ImageResample.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr int kChannels = 3;
constexpr int kLargestSide = 1 << 15;
constexpr double kFilterRadius = 2.0;
constexpr double kLargestScale = 256.0;

double CatmullRom(double distance) {
    const double x = std::fabs(distance);
    if (x < 1.0) return (1.5 * x - 2.5) * x * x + 1.0;
    if (x < 2.0) return ((-0.5 * x + 2.5) * x - 4.0) * x + 2.0;
    return 0.0;
}

struct Tap {
    int source;
    float weight;
};

// For each output pixel of one axis, the source pixels it mixes and their weights, which add up to one.
class AxisTaps {
public:
    AxisTaps(int sourceLength, int outputLength, AxisMapping mapping) : m_first(outputLength + 1, 0) {
        const double widening = mapping.scale < 1.0 ? 1.0 / mapping.scale : 1.0;
        const double reach = kFilterRadius * widening;
        for (int o = 0; o < outputLength; ++o) {
            const double centre = (o + 0.5) / mapping.scale - 0.5 + mapping.shift;
            const int low = static_cast<int>(std::ceil(centre - reach));
            const int high = static_cast<int>(std::floor(centre + reach));
            const size_t begin = m_taps.size();
            double total = 0.0;
            for (int s = low; s <= high; ++s) {
                const double weight = CatmullRom((s - centre) / widening);
                if (weight == 0.0) continue;
                m_taps.push_back({std::clamp(s, 0, sourceLength - 1), static_cast<float>(weight)});
                total += weight;
            }
            for (size_t i = begin; i < m_taps.size(); ++i)
                m_taps[i].weight = static_cast<float>(m_taps[i].weight / total);
            m_first[static_cast<size_t>(o) + 1] = m_taps.size();
        }
    }

    const Tap* begin(int o) const { return m_taps.data() + m_first[static_cast<size_t>(o)]; }
    const Tap* end(int o) const { return m_taps.data() + m_first[static_cast<size_t>(o) + 1]; }

private:
    std::vector<Tap> m_taps;
    std::vector<size_t> m_first;
};

bool Usable(int length) {
    return length > 0 && length <= kLargestSide;
}

// Bounded so that every source coordinate stays far inside the range of int.
bool Usable(AxisMapping mapping) {
    return mapping.scale >= 1.0 / kLargestScale && mapping.scale <= kLargestScale &&
           std::fabs(mapping.shift) <= kLargestSide;
}

uint8_t ToByte(float value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
}

// At unit scale with a whole-pixel shift every output pixel is one source pixel.
bool IsWholePixelCopy(AxisMapping mapping) {
    return mapping.scale == 1.0 && mapping.shift == std::floor(mapping.shift);
}

Image24 CopyWithEdges(const Image24& source, int width, int height, int shiftX, int shiftY) {
    Image24 result;
    result.width = width;
    result.height = height;
    result.bytes.assign(result.Stride() * static_cast<size_t>(height), 0);
    for (int o = 0; o < height; ++o) {
        const int row = std::clamp(o + shiftY, 0, source.height - 1);
        const uint8_t* in = source.bytes.data() + source.Stride() * static_cast<size_t>(row);
        uint8_t* out = result.bytes.data() + result.Stride() * static_cast<size_t>(o);
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = in + static_cast<size_t>(std::clamp(x + shiftX, 0, source.width - 1)) * kChannels;
            std::copy(pixel, pixel + kChannels, out + static_cast<size_t>(x) * kChannels);
        }
    }
    return result;
}

Image24 Resample(const Image24& source, int width, int height, AxisMapping x, AxisMapping y) {
    if (IsWholePixelCopy(x) && IsWholePixelCopy(y)) {
        return CopyWithEdges(source, width, height, static_cast<int>(x.shift), static_cast<int>(y.shift));
    }
    const AxisTaps across(source.width, width, x);
    const AxisTaps down(source.height, height, y);

    // Rows first: every source row at the output's width, unrounded.
    const size_t rowValues = static_cast<size_t>(width) * kChannels;
    std::vector<float> rows(rowValues * static_cast<size_t>(source.height));
    for (int r = 0; r < source.height; ++r) {
        const uint8_t* in = source.bytes.data() + source.Stride() * static_cast<size_t>(r);
        float* out = rows.data() + rowValues * static_cast<size_t>(r);
        for (int o = 0; o < width; ++o) {
            float sum[kChannels] = {};
            for (const Tap* tap = across.begin(o); tap != across.end(o); ++tap) {
                const uint8_t* pixel = in + static_cast<size_t>(tap->source) * kChannels;
                for (int c = 0; c < kChannels; ++c) sum[c] += tap->weight * pixel[c];
            }
            for (int c = 0; c < kChannels; ++c) out[static_cast<size_t>(o) * kChannels + c] = sum[c];
        }
    }

    Image24 result;
    result.width = width;
    result.height = height;
    result.bytes.assign(result.Stride() * static_cast<size_t>(height), 0);
    std::vector<float> sum(rowValues);
    for (int o = 0; o < height; ++o) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (const Tap* tap = down.begin(o); tap != down.end(o); ++tap) {
            const float* row = rows.data() + rowValues * static_cast<size_t>(tap->source);
            for (size_t i = 0; i < rowValues; ++i) sum[i] += tap->weight * row[i];
        }
        uint8_t* out = result.bytes.data() + result.Stride() * static_cast<size_t>(o);
        for (size_t i = 0; i < rowValues; ++i) out[i] = ToByte(sum[i]);
    }
    return result;
}

}  // namespace

Image24 ResampleImage(const Image24& source, int width, int height, AxisMapping x, AxisMapping y) {
    if (!Usable(source.width) || !Usable(source.height) || !Usable(width) || !Usable(height) || !Usable(x) ||
        !Usable(y) || source.bytes.size() < source.Stride() * static_cast<size_t>(source.height)) {
        return {};
    }
    try {
        return Resample(source, width, height, x, y);
    } catch (const std::bad_alloc&) {
        return {};
    }
}
