#pragma once
// What one picture control may keep of one picture. The sizes come from the file, and a few bytes of GIF can
// declare a screen or frames of gigabytes: a picture is weighed by the sizes it declares, before anything is
// allocated for it, and refused once it would take more than the budget.

#include <cstdint>

// Ample for every status animation (the largest keeps about 7 MB), small enough that five controls at their
// limit stay far inside the address space of a 32-bit process.
inline constexpr std::uint64_t kPictureMemoryBudget = 32ull << 20;

class PictureBudget {
public:
    // The surface the picture is composed in: 32 bits a pixel.
    bool AddSurface(std::int64_t width, std::int64_t height);
    // One frame of an animation: its rendered colours and mask, its decoded picture while that is rendered,
    // and its record.
    bool AddFrame(std::int64_t width, std::int64_t height);

    // False once anything added has taken the total past the budget; it stays false.
    bool Fits() const { return m_bytes <= kPictureMemoryBudget; }

private:
    bool Add(std::uint64_t bytes);

    std::uint64_t m_bytes = 0;
};
