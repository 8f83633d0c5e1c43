#include "dialog/ScaledArtwork.h"

#include <cstring>
#include <new>

#include "core/ImageResample.h"
#include "framework/Gdi.h"
#include "res/ArtworkMetrics.h"
#include "res/resource.h"

namespace {

bool ReadPixels(HDC dc, HBITMAP bitmap, Image24& image) {
    BITMAP shape{};
    if (!::GetObjectW(bitmap, sizeof(shape), &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0) return false;
    image.width = shape.bmWidth;
    image.height = shape.bmHeight;
    image.bytes.assign(image.Stride() * static_cast<size_t>(image.height), 0);
    BITMAPINFO info = DibInfo(image.width, image.height, 24, DibRows::TopDown);
    return ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(image.height), image.bytes.data(), &info, DIB_RGB_COLORS) ==
           image.height;
}

HBITMAP CreateBitmapOf(HDC dc, const Image24& image) {
    const BITMAPINFO info = DibInfo(image.width, image.height, 24, DibRows::TopDown);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) std::memcpy(bits, image.bytes.data(), image.bytes.size());
    return bitmap;
}

}  // namespace

ScaledArtwork::~ScaledArtwork() {
    Release();
}

void ScaledArtwork::FitToDialog(HWND dialog) {
    RECT baseUnits{0, 0, 4, 8};
    if (!::MapDialogRect(dialog, &baseUnits)) return;
    // The controls follow the font's base units, which grow by different factors across and down.
    const double scaleX = static_cast<double>(baseUnits.right) / kArtworkBaseUnitX;
    const double scaleY = static_cast<double>(baseUnits.bottom) / kArtworkBaseUnitY;
    m_background = Fit(dialog, IDC_BACKGROUND, {PLACE_BACKGROUND}, POINT{0, 0}, scaleX, scaleY);
    m_modePicture = Fit(dialog, IDC_MODE_PICTURE, {PLACE_MODE_PICTURE},
                        POINT{kArtworkModePictureX, kArtworkModePictureY}, scaleX, scaleY);
}

ScaledArtwork::Shown ScaledArtwork::Fit(HWND dialog, int id, const DialogUnitPlace& place, POINT pictureOrigin,
                                        double scaleX, double scaleY) {
    Shown shown;
    HWND control = ::GetDlgItem(dialog, id);
    auto* original = reinterpret_cast<HBITMAP>(::SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    const OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));  // compatible with the screen
    Image24 source;
    // Short of memory the static keeps the template's bitmap.
    try {
        if (!original || !dc || !ReadPixels(dc.Get(), original, source)) return shown;
    } catch (const std::bad_alloc&) {
        return shown;
    }

    // The static takes the size of its bitmap, so the bitmap is made the size its template rectangle comes out.
    const RECT target = MapDialogPlace(dialog, place);
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (scaleX == 1.0 && scaleY == 1.0 && width == source.width && height == source.height) return shown;

    // Scaled as a piece of the scaled background, so that the mode picture meets the background around it
    // without a seam: its pixels sample the artwork where the background's pixels at the same place do. Past
    // the artwork's last pixel, its edge repeats.
    const Image24 scaled = ResampleImage(source, width, height, {scaleX, target.left / scaleX - pictureOrigin.x},
                                         {scaleY, target.top / scaleY - pictureOrigin.y});
    if (scaled.bytes.empty()) return shown;
    shown.bitmap.Reset(CreateBitmapOf(dc.Get(), scaled));
    if (!shown.bitmap) return shown;

    // The static takes the size of its new bitmap and hands back the one it loaded from the template, which
    // is then ours to free.
    OwnedBitmap previous(reinterpret_cast<HBITMAP>(
        ::SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown.bitmap.Get()))));
    if (previous.Get() == shown.bitmap.Get()) previous.Release();  // ours, handed back: not the template's
    shown.control = control;
    return shown;
}

void ScaledArtwork::Release() {
    Take(m_background);
    Take(m_modePicture);
}

void ScaledArtwork::Take(Shown& shown) {
    if (shown.bitmap && ::IsWindow(shown.control) &&
        reinterpret_cast<HBITMAP>(::SendMessageW(shown.control, STM_GETIMAGE, IMAGE_BITMAP, 0)) == shown.bitmap.Get()) {
        ::SendMessageW(shown.control, STM_SETIMAGE, IMAGE_BITMAP, 0);
    }
    shown.bitmap.Reset();
    shown.control = nullptr;
}
