#include "framework/Gdi.h"

#include "framework/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWndPaint(wnd->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWndPaint, &m_ps);
}

CPaintDC::~CPaintDC() {
    if (m_hDC) ::EndPaint(m_hWndPaint, &m_ps);
}

BitmapDc& BitmapDc::operator=(BitmapDc&& other) noexcept {
    if (this != &other) {
        Reset();
        m_bitmap = std::move(other.m_bitmap);
        m_dc = std::move(other.m_dc);
        m_selected = std::move(other.m_selected);
    }
    return *this;
}

BitmapDc BitmapDc::CreateCompatible(HDC compatibleWith, int cx, int cy) {
    return Create(compatibleWith, OwnedBitmap(::CreateCompatibleBitmap(compatibleWith, cx, cy)));
}

BitmapDc BitmapDc::Create(HDC compatibleWith, OwnedBitmap bitmap) {
    BitmapDc made;
    if (!bitmap) return made;
    made.m_dc.Reset(::CreateCompatibleDC(compatibleWith));
    if (!made.m_dc) return made;
    made.m_selected = SelectInto(made.m_dc.Get(), bitmap.Get());
    if (!made.m_selected) {
        made.Reset();
        return made;
    }
    made.m_bitmap = std::move(bitmap);
    return made;
}

void BitmapDc::Reset() {
    m_selected.Reset();
    m_dc.Reset();
    m_bitmap.Reset();
}

BITMAPINFO DibInfo(int width, int height, WORD bitsPerPixel, DibRows rows) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = rows == DibRows::TopDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
