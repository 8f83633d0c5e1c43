#include "picture/FrameImage.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "framework/Gdi.h"

namespace {

// Backgrounds for rendering ahead: black and white tell transparent pixels from opaque ones, and the probe
// shows whether what lies under them is kept as a mask keeps it.
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kProbe = 0x5A5A5A;

}  // namespace

HRESULT RenderPicture(IPicture& picture, HDC target, POINT at, SIZE size) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture.get_Width(&width);
    picture.get_Height(&height);
    return picture.Render(target, at.x, at.y, size.cx, size.cy, 0, height, width, -height, nullptr);
}

std::optional<FrameImage> FrameImage::Render(IPicture& picture, SIZE size) {
    if (size.cx <= 0 || size.cy <= 0) return std::nullopt;
    // Rows as Blit copies them.
    const BITMAPINFO info = DibInfo(size.cx, size.cy, 32, DibRows::BottomUp);
    void* bits = nullptr;
    OwnedBitmap canvas(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) return std::nullopt;
    const BitmapDc dc = BitmapDc::Create(nullptr, std::move(canvas));
    if (!dc) return std::nullopt;

    auto* const first = static_cast<std::uint32_t*>(bits);
    auto* const last = first + static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy);
    auto renderOver = [&](std::uint32_t background) {
        std::fill(first, last, background);
        const bool rendered = SUCCEEDED(RenderPicture(picture, dc.GetSafeHdc(), POINT{}, size));
        ::GdiFlush();  // the pixels are read directly
        return rendered;
    };

    // Short of memory for the pixels, the frame goes on being rendered from its picture.
    try {
        FrameImage image(size);
        if (!renderOver(kBlack)) return std::nullopt;
        image.m_colour.assign(first, last);
        if (!renderOver(kWhite)) return std::nullopt;
        if (std::equal(first, last, image.m_colour.begin())) return image;

        image.m_mask.resize(image.m_colour.size());
        std::transform(first, last, image.m_colour.begin(), image.m_mask.begin(),
                       [](std::uint32_t overWhite, std::uint32_t overBlack) { return overWhite ^ overBlack; });
        if (!renderOver(kProbe)) return std::nullopt;
        for (std::size_t i = 0; i < image.m_colour.size(); ++i) {
            if (((kProbe & image.m_mask[i]) | image.m_colour[i]) != first[i]) return std::nullopt;
        }
        return image;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool FrameImage::Draw(HDC target, POINT at) const {
    if (m_mask.empty()) return Blit(target, at, m_colour, SRCCOPY);
    return Blit(target, at, m_mask, SRCAND) && Blit(target, at, m_colour, SRCPAINT);
}

bool FrameImage::Blit(HDC target, POINT at, const std::vector<std::uint32_t>& pixels, DWORD rop) const {
    // Bottom-up rows: copying a top-down image with any other operation than SRCCOPY yields a negative count of
    // lines under Wine, which a one-line image would turn into GDI_ERROR.
    const BITMAPINFO info = DibInfo(m_size.cx, m_size.cy, 32, DibRows::BottomUp);
    return ::StretchDIBits(target, at.x, at.y, m_size.cx, m_size.cy, 0, 0, m_size.cx, m_size.cy, pixels.data(), &info,
                           DIB_RGB_COLORS, rop) > 0;
}
