#include "picture/PictureEx.h"

#include <limits>

#include "picture/ScopedHandles.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr int kHimetricPerInch = 2540;

// Decodes a picture from a stream over the block. With freeBlock the stream takes the block over and
// frees it, whether or not the picture decodes.
ComPtr<IPicture> DecodePicture(HGLOBAL block, DWORD size, bool freeBlock) {
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block, freeBlock ? TRUE : FALSE, &stream))) {
        if (freeBlock) ::GlobalFree(block);
        return nullptr;
    }
    ComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(picture.GetAddressOf()))))
        return nullptr;
    return picture;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPictureEx, CStatic)
    ON_WM_DESTROY()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPictureEx::CPictureEx()
    : m_rcPaint{},
      m_sizePicture{},
      m_clrBack(kWhite),
      m_nFrame(0),
      m_cbData(0),
      m_nOffset(0),
      m_cbGlobalColorTable(0),
      m_bGif(FALSE),
      m_bPlaying(FALSE),
      m_bStopRequested(FALSE),
      m_bReady(FALSE),
      m_hdcSurface(nullptr),
      m_hdcSaved(nullptr),
      m_hbmSaved(nullptr),
      m_hbmSavedOld(nullptr),
      m_hbmSurface(nullptr),
      m_hbmSurfaceOld(nullptr),
      m_hThread(nullptr),
      m_hStopEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_pHeader(nullptr),
      m_pData(nullptr),
      m_pScreenDescriptor(nullptr) {}

CPictureEx::~CPictureEx() {
    Unload();
    if (m_hStopEvent) ::CloseHandle(m_hStopEvent);
}

BOOL CPictureEx::IsAnimatedGif() const {
    std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
    return IsAnimatedGifLocked();
}

// ---- the walker, on this control's members ----

GifBlockKind CPictureEx::PeekBlockKind() const {
    return Walker().PeekBlockKind();
}

UINT CPictureEx::MeasureSubBlocks(UINT nOffset) const {
    return Walker().MeasureSubBlocks(nOffset);
}

LONGLONG CPictureEx::MeasureBlock() const {
    return Walker().MeasureBlock();
}

BOOL CPictureEx::SkipBlock() {
    GifWalker walker = Walker();
    const bool skipped = walker.SkipBlock();
    m_nOffset = walker.Offset();
    return skipped;
}

BOOL CPictureEx::SkipFrame() {
    GifWalker walker = Walker();
    const bool skipped = walker.SkipFrame();
    m_nOffset = walker.Offset();
    return skipped;
}

HGLOBAL CPictureEx::ExtractFrame(UINT& cbFrame, UINT& nDelay, SIZE& frameSize, POINT& frameOffset, UINT& nDisposal) {
    GifFrameInfo info;
    info.width = frameSize.cx;
    info.height = frameSize.cy;
    info.left = frameOffset.x;
    info.top = frameOffset.y;
    HGLOBAL block = nullptr;
    // A fixed block's handle is its address.
    const GifFrameAllocator allocate = [&block](std::uint32_t size) {
        block = ::GlobalAlloc(GMEM_FIXED, size);
        return static_cast<std::uint8_t*>(block);
    };
    GifWalker walker = Walker();
    const bool extracted = walker.ExtractFrame(info, allocate) != nullptr;
    m_nOffset = walker.Offset();
    nDisposal = info.disposal;
    if (!extracted) return nullptr;
    cbFrame = info.length;
    nDelay = info.delay;
    frameSize = SIZE{info.width, info.height};
    frameOffset = POINT{info.left, info.top};
    return block;
}

// ---- loading ----

BOOL CPictureEx::LoadFromFile(LPCWSTR pszFileName) {
    CFile file;
    if (!file.Open(pszFileName, CFile::modeRead | CFile::shareDenyWrite, nullptr)) return FALSE;
    const ULONGLONG length = file.GetLength();
    if (length > std::numeric_limits<DWORD>::max()) return FALSE;
    const DWORD size = static_cast<DWORD>(length);

    OwnedGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size));
    if (!block) return FALSE;
    {
        GlobalLockScope locked(block.get());
        if (!locked.data()) return FALSE;
        try {
            // A file that shrank since its length was taken is not read whole: treat it as unreadable.
            if (file.Read(locked.data(), size) != size) return FALSE;
        } catch (CFileException* error) {
            error->Delete();
            return FALSE;
        }
    }
    file.Close();
    return LoadFromMemory(block.get(), size);
}

BOOL CPictureEx::LoadFromMemory(HGLOBAL hGlobal, DWORD dwSize) {
    SIZE resizeTo{};
    bool resize = false;
    BOOL loaded;
    {
        std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
        loaded = LoadLocked(hGlobal, dwSize, resizeTo, resize);
    }
    // Outside the lock: from another thread this waits for the window's thread, which may itself be
    // waiting to draw or stop this control.
    if (resize)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, resizeTo.cx, resizeTo.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return loaded;
}

BOOL CPictureEx::LoadLocked(HGLOBAL hGlobal, DWORD dwSize, SIZE& resizeTo, bool& resize) {
    UnloadLocked();
    GlobalLockScope locked(hGlobal);
    if (!locked.data()) return FALSE;
    m_pHeader = m_pData = locked.data();
    m_cbData = dwSize;

    BOOL loaded;
    if (HasGifSignature(m_pData, m_cbData)) {
        loaded = LoadGifLocked(hGlobal, dwSize, locked);
    } else {
        m_pData = m_pHeader = nullptr;
        locked.Unlock();
        loaded = LoadStillLocked(hGlobal, dwSize);
    }
    resize = m_bReady;
    resizeTo = m_sizePicture;
    return loaded;
}

BOOL CPictureEx::LoadGifLocked(HGLOBAL hGlobal, DWORD dwSize, GlobalLockScope& locked) {
    // The data is parsed only while it is locked.
    auto endParse = [&] {
        m_pData = m_pHeader = m_pScreenDescriptor = nullptr;
        locked.Unlock();
    };

    m_bGif = TRUE;
    const std::optional<GifScreen> screen = ReadGifScreen(m_pData, m_cbData);
    if (!screen) {
        endParse();
        return FALSE;
    }
    m_pScreenDescriptor = m_pData + 6;
    m_cbGlobalColorTable = screen->globalColorTableLength;
    SetPictureSize(SIZE{screen->width, screen->height});

    const UINT firstBlock = kGifScreenEnd + m_cbGlobalColorTable;
    m_nOffset = firstBlock;
    UINT frameCount = 0;
    while (SkipFrame()) ++frameCount;

    if (frameCount == 0) {
        endParse();
        return FALSE;
    }
    if (frameCount == 1) {
        endParse();
        m_pStillPicture = DecodePicture(hGlobal, dwSize, false);
        if (!m_pStillPicture) return FALSE;
        return CreateSurface(m_sizePicture.cx, m_sizePicture.cy);
    }

    m_nOffset = firstBlock;
    GifFrame frame;
    UINT cbFrame = 0;
    while (HGLOBAL block = ExtractFrame(cbFrame, frame.nDelay, frame.frameSize, frame.frameOffset, frame.nDisposal)) {
        frame.pPicture = DecodePicture(block, cbFrame, true);
        if (!frame.pPicture) continue;
        // Rendered here, once, so that playing the frame only copies its pixels.
        GifFrame& added = m_frames.emplace_back(frame);
        added.image = FrameImage::Render(*added.pPicture.Get(), added.frameSize);
        if (added.image) added.pPicture.Reset();
    }
    endParse();
    if (m_frames.empty()) return FALSE;
    return CreateSurface(m_sizePicture.cx, m_sizePicture.cy);
}

BOOL CPictureEx::LoadStillLocked(HGLOBAL hGlobal, DWORD dwSize) {
    m_pStillPicture = DecodePicture(hGlobal, dwSize, false);
    if (!m_pStillPicture) return FALSE;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_pStillPicture->get_Width(&width);
    m_pStillPicture->get_Height(&height);
    {
        WindowDC dc(m_hWnd);
        if (!dc.get()) return FALSE;
        SetPictureSize(SIZE{::MulDiv(width, ::GetDeviceCaps(dc.get(), LOGPIXELSX), kHimetricPerInch),
                            ::MulDiv(height, ::GetDeviceCaps(dc.get(), LOGPIXELSY), kHimetricPerInch)});
    }
    return CreateSurface(m_sizePicture.cx, m_sizePicture.cy);
}

void CPictureEx::SetPictureSize(SIZE size) {
    std::lock_guard<std::mutex> surface(m_surfaceLock);
    m_sizePicture = size;
}

// The control is resized by LoadFromMemory once the lifecycle lock is released.
BOOL CPictureEx::CreateSurface(int cx, int cy) {
    WindowDC dc(m_hWnd);
    if (!dc.get()) return FALSE;
    HDC surface = ::CreateCompatibleDC(dc.get());
    if (!surface) return FALSE;
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc.get(), cx, cy);
    if (!bitmap) {
        ::DeleteDC(surface);
        return FALSE;
    }
    HGDIOBJ previous = ::SelectObject(surface, bitmap);
    m_clrBack = ::GetSysColor(COLOR_BTNFACE);
    const RECT whole{0, 0, cx, cy};
    ::FillRect(surface, &whole, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1)));

    std::lock_guard<std::mutex> lock(m_surfaceLock);
    m_hdcSurface = surface;
    m_hbmSurface = bitmap;
    m_hbmSurfaceOld = previous;
    m_bReady = TRUE;
    return TRUE;
}

void CPictureEx::Unload() {
    std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
    UnloadLocked();
}

void CPictureEx::UnloadLocked() {
    JoinAnimationLocked();  // from here on no thread touches the frames or the surface
    m_pStillPicture.Reset();
    m_frames.clear();
    {
        std::lock_guard<std::mutex> surface(m_surfaceLock);
        if (m_hdcSurface) {
            ::SelectObject(m_hdcSurface, m_hbmSurfaceOld);
            ::DeleteDC(m_hdcSurface);
            ::DeleteObject(m_hbmSurface);
            m_hdcSurface = nullptr;
            m_hbmSurface = nullptr;
            m_hbmSurfaceOld = nullptr;
        }
        ReleaseSavedArea();
        m_rcPaint = RECT{};
        m_bReady = FALSE;
    }
    m_pScreenDescriptor = m_pHeader = m_pData = nullptr;
    m_bGif = FALSE;
    m_clrBack = kWhite;
    m_cbGlobalColorTable = m_nOffset = m_cbData = 0;
    m_nFrame = 0;
}

// ---- drawing and painting ----

BOOL CPictureEx::Draw() {
    std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
    if (!m_bReady) return FALSE;
    if (IsAnimatedGifLocked()) {
        StartAnimationLocked();
        return FALSE;
    }
    if (!m_pStillPicture) return FALSE;
    {
        std::lock_guard<std::mutex> surface(m_surfaceLock);
        if (FAILED(RenderPicture(*m_pStillPicture.Get(), m_hdcSurface, POINT{}, m_sizePicture))) return FALSE;
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return TRUE;
}

void CPictureEx::OnPaint() {
    CPaintDC dc(this);
    std::lock_guard<std::mutex> surface(m_surfaceLock);
    if (!m_hdcSurface) return;
    if (m_rcPaint.right - m_rcPaint.left > 0) {
        ::BitBlt(dc.m_hDC, 0, 0, m_rcPaint.right - m_rcPaint.left, m_rcPaint.bottom - m_rcPaint.top, m_hdcSurface,
                 m_rcPaint.left, m_rcPaint.top, SRCCOPY);
    } else {
        ::BitBlt(dc.m_hDC, 0, 0, m_sizePicture.cx, m_sizePicture.cy, m_hdcSurface, 0, 0, SRCCOPY);
    }
}

void CPictureEx::OnDestroy() {
    {
        std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
        StopLocked();
    }
    CStatic::OnDestroy();
}
