#include "support/screen_capture.h"

#include <cstring>

#include "framework/Gdi.h"

ScreenCapture::ScreenCapture(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    const WindowDc screen = GetWindowDc(nullptr);
    const BITMAPINFO info = DibInfo(width, height, 32, DibRows::TopDown);
    void* bits = nullptr;
    const BitmapDc memory = BitmapDc::Create(
        screen.Get(), OwnedBitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    if (!memory || !::BitBlt(memory.GetSafeHdc(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY)) {
        return;
    }
    ::GdiFlush();
    m_width = width;
    m_height = height;
    m_pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    std::memcpy(m_pixels.data(), bits, m_pixels.size() * sizeof(uint32_t));
    for (uint32_t& pixel : m_pixels) pixel &= 0x00FFFFFF;
}
