#include "picture/PictureEx.h"

#include <new>

#include "picture/PictureBudget.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr int kHimetricPerInch = 2540;

ComPtr<IPicture> DecodeStream(IStream* stream, DWORD size) {
    ComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(picture.GetAddressOf()))))
        return nullptr;
    return picture;
}

// Decodes a picture from a stream over the block, which the caller keeps.
ComPtr<IPicture> DecodePicture(HGLOBAL block, DWORD size) {
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block, FALSE, &stream))) return nullptr;
    return DecodeStream(stream.Get(), size);
}

// Decodes a picture from a stream that takes the block over: the block is freed whether or not it decodes.
ComPtr<IPicture> DecodePicture(OwnedGlobal block, DWORD size) {
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, &stream))) return nullptr;
    block.Release();  // the stream's now
    return DecodeStream(stream.Get(), size);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPictureEx, CStatic)
    ON_WM_DESTROY()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPictureEx::CPictureEx()
    : m_sizePicture{},
      m_clrBack(kWhite),
      m_nFrame(0),
      m_cbData(0),
      m_nOffset(0),
      m_cbGlobalColorTable(0),
      m_bGif(FALSE),
      m_bPlaying(FALSE),
      m_bStopRequested(FALSE),
      m_bReady(FALSE),
      m_hStopEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_pData(nullptr) {}

// Unloading waits for the animation thread to end, so the event and the surface go only after it.
CPictureEx::~CPictureEx() {
    Unload();
}

BOOL CPictureEx::IsAnimatedGif() const {
    std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
    return IsAnimatedGifLocked();
}

// ---- the walker, on this control's members ----

BOOL CPictureEx::SkipFrame(GifFrameInfo& frame) {
    GifWalker walker = Walker();
    const bool skipped = walker.SkipFrame(frame);
    m_nOffset = walker.Offset();
    return skipped;
}

OwnedGlobal CPictureEx::ExtractFrame(UINT& cbFrame, UINT& nDelay, SIZE& frameSize, POINT& frameOffset,
                                     UINT& nDisposal) {
    GifFrameInfo info;
    info.width = frameSize.cx;
    info.height = frameSize.cy;
    info.left = frameOffset.x;
    info.top = frameOffset.y;
    OwnedGlobal block;
    // A fixed block's handle is its address.
    const GifFrameAllocator allocate = [&block](std::uint32_t size) {
        block.Reset(::GlobalAlloc(GMEM_FIXED, size));
        return static_cast<std::uint8_t*>(block.Get());
    };
    GifWalker walker = Walker();
    const bool extracted = walker.ExtractFrame(info, allocate) != nullptr;
    m_nOffset = walker.Offset();
    nDisposal = info.disposal;
    if (!extracted) return OwnedGlobal();
    cbFrame = info.length;
    nDelay = info.delay;
    frameSize = SIZE{info.width, info.height};
    frameOffset = POINT{info.left, info.top};
    return block;
}

// ---- loading ----

BOOL CPictureEx::LoadFromFile(LPCWSTR pszFileName) {
    CFile file;
    if (!file.Open(pszFileName, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
    const ULONGLONG length = file.GetLength();
    // Data beyond the budget holds no picture the control could keep.
    if (length > kPictureMemoryBudget) return FALSE;
    const DWORD size = static_cast<DWORD>(length);

    OwnedGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size));
    if (!block) return FALSE;
    {
        const LockedGlobal locked = LockGlobal(block.Get());
        if (!locked) return FALSE;
        try {
            // A file that shrank since its length was taken is not read whole: treat it as unreadable.
            if (file.Read(locked.Get(), size) != size) return FALSE;
        } catch (CFileException* error) {
            error->Delete();
            return FALSE;
        }
    }
    file.Close();
    return LoadFromMemory(block.Get(), size);
}

BOOL CPictureEx::LoadFromMemory(HGLOBAL hGlobal, DWORD dwSize) {
    SIZE size{};
    if (!ReplaceContent(hGlobal, dwSize, size)) return FALSE;
    // Outside the locks: from another thread this waits for the window's thread, which may itself be waiting
    // to draw, stop or unload this control.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CPictureEx::ReplaceContent(HGLOBAL hGlobal, DWORD dwSize, SIZE& size) {
    std::lock_guard<std::mutex> loading(m_loadLock);
    {
        std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
        UnloadLocked();
    }
    Decoded decoded;
    BOOL loaded = FALSE;
    try {
        loaded = Decode(hGlobal, dwSize, decoded);
    } catch (const std::bad_alloc&) {
        // Short of memory the picture is not shown; what was decoded of it goes with `decoded`.
    }
    m_pData = nullptr;
    m_nOffset = m_cbData = m_cbGlobalColorTable = 0;
    if (!loaded) return FALSE;

    size = decoded.size;
    std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
    Install(decoded);
    return TRUE;
}

BOOL CPictureEx::Decode(HGLOBAL hGlobal, DWORD dwSize, Decoded& decoded) {
    bool gif = false;
    {
        const LockedGlobal locked = LockGlobal(hGlobal);
        if (!locked) return FALSE;
        gif = HasGifSignature(static_cast<const BYTE*>(locked.Get()), dwSize);
    }
    return gif ? DecodeGif(hGlobal, dwSize, decoded) : DecodeStill(hGlobal, dwSize, decoded);
}

BOOL CPictureEx::DecodeGif(HGLOBAL hGlobal, DWORD dwSize, Decoded& decoded) {
    decoded.bGif = TRUE;
    UINT frameCount = 0;
    {
        // The data is parsed only while it is locked.
        LockedGlobal locked = LockGlobal(hGlobal);
        if (!locked) return FALSE;
        m_pData = static_cast<const BYTE*>(locked.Get());
        m_cbData = dwSize;
        const std::optional<GifScreen> screen = ReadGifScreen(m_pData, m_cbData);
        if (!screen) return FALSE;
        m_cbGlobalColorTable = screen->globalColorTableLength;
        decoded.size = SIZE{screen->width, screen->height};

        // Weighed by the sizes the data declares, before anything is decoded or allocated for it.
        PictureBudget budget;
        if (!budget.AddSurface(decoded.size.cx, decoded.size.cy)) return FALSE;
        const UINT firstBlock = kGifScreenEnd + m_cbGlobalColorTable;
        m_nOffset = firstBlock;
        GifFrameInfo declared;  // one record, as extraction fills it: a plain text frame keeps the size before it
        while (SkipFrame(declared)) {
            ++frameCount;
            if (!budget.AddFrame(declared.width, declared.height)) return FALSE;
        }
        if (frameCount == 0) return FALSE;

        if (frameCount > 1) {
            m_nOffset = firstBlock;
            GifFrame frame;
            UINT cbFrame = 0;
            while (OwnedGlobal block =
                       ExtractFrame(cbFrame, frame.nDelay, frame.frameSize, frame.frameOffset, frame.nDisposal)) {
                frame.pPicture = DecodePicture(std::move(block), cbFrame);
                if (!frame.pPicture) continue;
                // The picture moves on with the frame; its size and place stay in the record for the next one.
                GifFrame& added = decoded.frames.emplace_back(std::move(frame));
                // Rendered here, once, so that playing the frame only copies its pixels.
                added.image = FrameImage::Render(*added.pPicture.Get(), added.frameSize);
                if (added.image) added.pPicture.Reset();
            }
            if (decoded.frames.empty()) return FALSE;
        }
        m_pData = nullptr;
    }
    if (frameCount == 1) {
        decoded.stillPicture = DecodePicture(hGlobal, dwSize);
        if (!decoded.stillPicture) return FALSE;
    }
    return CreateSurface(decoded);
}

BOOL CPictureEx::DecodeStill(HGLOBAL hGlobal, DWORD dwSize, Decoded& decoded) {
    decoded.stillPicture = DecodePicture(hGlobal, dwSize);
    if (!decoded.stillPicture) return FALSE;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    decoded.stillPicture->get_Width(&width);
    decoded.stillPicture->get_Height(&height);
    {
        const WindowDc dc = GetWindowDc(m_hWnd);
        if (!dc) return FALSE;
        decoded.size = SIZE{::MulDiv(width, ::GetDeviceCaps(dc.Get(), LOGPIXELSX), kHimetricPerInch),
                            ::MulDiv(height, ::GetDeviceCaps(dc.Get(), LOGPIXELSY), kHimetricPerInch)};
    }
    if (!PictureBudget().AddSurface(decoded.size.cx, decoded.size.cy)) return FALSE;
    return CreateSurface(decoded);
}

// The control is resized by LoadFromMemory once the picture is in place.
BOOL CPictureEx::CreateSurface(Decoded& decoded) {
    const WindowDc dc = GetWindowDc(m_hWnd);
    if (!dc) return FALSE;
    decoded.surface = BitmapDc::CreateCompatible(dc.Get(), decoded.size.cx, decoded.size.cy);
    if (!decoded.surface) return FALSE;
    decoded.clrBack = ::GetSysColor(COLOR_BTNFACE);
    const RECT whole{0, 0, decoded.size.cx, decoded.size.cy};
    ::FillRect(decoded.surface.GetSafeHdc(), &whole, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1)));
    return TRUE;
}

void CPictureEx::Install(Decoded& decoded) {
    m_bGif = decoded.bGif;
    m_pStillPicture = std::move(decoded.stillPicture);
    m_frames = std::move(decoded.frames);
    m_clrBack = decoded.clrBack;
    std::lock_guard<std::mutex> surface(m_surfaceLock);
    m_sizePicture = decoded.size;
    m_hdcSurface = std::move(decoded.surface);
    m_bReady = TRUE;
}

void CPictureEx::Unload() {
    std::lock_guard<std::mutex> loading(m_loadLock);
    std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
    UnloadLocked();
}

void CPictureEx::UnloadLocked() {
    JoinAnimationLocked();  // from here on no thread touches the frames or the surface
    m_pStillPicture.Reset();
    m_frames.clear();
    {
        std::lock_guard<std::mutex> surface(m_surfaceLock);
        m_hdcSurface.Reset();
        m_hdcSaved.Reset();
        m_bReady = FALSE;
    }
    m_bGif = FALSE;
    m_clrBack = kWhite;
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
        if (FAILED(RenderPicture(*m_pStillPicture.Get(), m_hdcSurface.GetSafeHdc(), POINT{}, m_sizePicture)))
            return FALSE;
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return TRUE;
}

void CPictureEx::OnPaint() {
    CPaintDC dc(this);
    std::lock_guard<std::mutex> surface(m_surfaceLock);
    if (!m_hdcSurface) return;
    ::BitBlt(dc.m_hDC, 0, 0, m_sizePicture.cx, m_sizePicture.cy, m_hdcSurface.GetSafeHdc(), 0, 0, SRCCOPY);
}

void CPictureEx::OnDestroy() {
    {
        std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
        StopLocked();
    }
    CStatic::OnDestroy();
}
