#pragma once
// What the screen shows in an area, pixel by pixel, for tests that read a window off the screen.

#include <windows.h>

#include <cstdint>
#include <vector>

class ScreenCapture {
public:
    // Copies the screen's pixels in the area (screen coordinates); empty when it cannot.
    explicit ScreenCapture(const RECT& area);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel at (x, y) of the area as 0x00RRGGBB.
    uint32_t At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + x]; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};
