#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <optional>
#include <vector>

// Renders the whole picture, upright, into the rectangle at the point with the size.
HRESULT RenderPicture(IPicture& picture, HDC target, POINT at, SIZE size);

// A picture rendered once, ahead, and kept as pixels: drawing it gives the target exactly what rendering the
// picture there would, without the picture's own work (a device context and a bitmap selection for every
// render). Where the picture is transparent, a mask keeps what the target held.
class FrameImage {
public:
    // Nothing when the picture cannot be rendered at that size, when its transparency is more than a mask, or
    // when the memory for its pixels is short.
    static std::optional<FrameImage> Render(IPicture& picture, SIZE size);

    bool Draw(HDC target, POINT at) const;

private:
    explicit FrameImage(SIZE size) : m_size(size) {}
    bool Blit(HDC target, POINT at, const std::vector<std::uint32_t>& pixels, DWORD rop) const;

    SIZE m_size;
    // Rows from the bottom, one 0x00RRGGBB word a pixel.
    std::vector<std::uint32_t> m_colour;  // what the picture puts over black
    std::vector<std::uint32_t> m_mask;    // all ones where the target shows through; empty when none does
};
