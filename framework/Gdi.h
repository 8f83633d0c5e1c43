#pragma once
// Device contexts, bitmaps and brushes.

#include <windows.h>

#include <utility>

#include "framework/Handles.h"

class CWnd;

// Rows of a device-independent bitmap, as the sign of the header's height says.
enum class DibRows { TopDown, BottomUp };

// The header of an uncompressed device-independent bitmap of width by height pixels.
BITMAPINFO DibInfo(int width, int height, WORD bitsPerPixel, DibRows rows);

// A device context the caller borrows: this class never releases it.
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC hdc) : m_hDC(hdc) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC GetSafeHdc() const { return m_hDC; }

    HDC m_hDC = nullptr;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWndPaint;
};

// Owns one GDI brush.
class CBrush {
public:
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    // Takes the brush over, ending the one held before.
    BOOL Attach(HBRUSH brush) {
        m_brush.Reset(brush);
        return brush != nullptr;
    }

    operator HBRUSH() const { return m_brush.Get(); }

private:
    OwnedBrush m_brush;
};

// A memory device context with a bitmap of its own selected into it. At the end the context's own bitmap is
// selected back, then the context is deleted, then the bitmap.
class BitmapDc {
public:
    BitmapDc() = default;
    BitmapDc(BitmapDc&& other) noexcept { *this = std::move(other); }
    BitmapDc& operator=(BitmapDc&& other) noexcept;
    ~BitmapDc() { Reset(); }

    // A context compatible with `compatibleWith` holding a compatible bitmap of cx by cy; empty when either
    // cannot be made.
    static BitmapDc CreateCompatible(HDC compatibleWith, int cx, int cy);
    // A context compatible with `compatibleWith` holding the given bitmap; empty when there is no bitmap, no
    // context, or the bitmap cannot be selected into it.
    static BitmapDc Create(HDC compatibleWith, OwnedBitmap bitmap);

    HDC GetSafeHdc() const { return m_dc.Get(); }
    explicit operator bool() const { return static_cast<bool>(m_dc); }
    void Reset();

private:
    OwnedBitmap m_bitmap;
    OwnedMemoryDc m_dc;
    SelectedObject m_selected;
};
