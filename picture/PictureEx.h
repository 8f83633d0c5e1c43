#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "framework/Framework.h"
#include "picture/GifFrame.h"
#include "picture/GifWalker.h"

// A static control that shows a picture, or plays an animated GIF on a thread of its own. It composes
// the picture in an off-screen surface, paints by copying that surface, and takes the picture's size.
//
// Loads, draws and stops may come from any thread. Loads follow one another; a picture is decoded apart
// from the control's content, which it replaces only once it is whole, so draws and stops never wait for a
// load. Nothing is freed while the animation thread may still use it.
class CPictureEx : public CStatic {
public:
    CPictureEx();
    ~CPictureEx() override;

    BOOL LoadFromFile(LPCWSTR pszFileName);
    // Replaces whatever the control held by the picture in the block; the caller keeps the block. A picture
    // that would take more than its memory budget is refused, and the control is left empty.
    BOOL LoadFromMemory(HGLOBAL hGlobal, DWORD dwSize);

    // Starts the animation of an animated GIF (FALSE), or draws the still picture (TRUE when drawn).
    BOOL Draw();
    void Stop();
    void Unload();

    BOOL IsAnimatedGif() const;
    BOOL IsPlaying() const { return m_bPlaying; }

protected:
    void OnPaint();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // A picture being loaded, kept apart until it replaces the control's content whole.
    struct Decoded {
        SIZE size{};
        BOOL bGif = FALSE;
        Microsoft::WRL::ComPtr<IPicture> stillPicture;
        std::vector<GifFrame> frames;
        BitmapDc surface;
        COLORREF clrBack = 0;
    };

    // The GIF walker over m_pData, m_cbData, m_nOffset and m_cbGlobalColorTable, which only a load uses.
    BOOL SkipFrame(GifFrameInfo& frame);
    OwnedGlobal ExtractFrame(UINT& cbFrame, UINT& nDelay, SIZE& frameSize, POINT& frameOffset, UINT& nDisposal);
    GifWalker Walker() const { return GifWalker(m_pData, m_cbData, m_nOffset, m_cbGlobalColorTable); }

    // One load at a time: unloads, decodes and puts the picture in place; size receives the size the control
    // must take.
    BOOL ReplaceContent(HGLOBAL hGlobal, DWORD dwSize, SIZE& size);
    // Decoding, with m_loadLock held and nothing of the control's content touched.
    BOOL Decode(HGLOBAL hGlobal, DWORD dwSize, Decoded& decoded);
    BOOL DecodeGif(HGLOBAL hGlobal, DWORD dwSize, Decoded& decoded);
    BOOL DecodeStill(HGLOBAL hGlobal, DWORD dwSize, Decoded& decoded);
    BOOL CreateSurface(Decoded& decoded);
    // With m_lifecycleLock held.
    void Install(Decoded& decoded);
    void UnloadLocked();

    // The animation thread and its stop, with m_lifecycleLock held.
    void StartAnimationLocked();
    void StopLocked();
    void JoinAnimationLocked();
    void ForgetEndedThreadLocked();
    BOOL IsAnimatedGifLocked() const { return m_bGif && m_frames.size() > 1; }

    static unsigned __stdcall AnimationThreadEntry(void* pParam);
    void RunAnimation();
    // With m_surfaceLock held.
    void SaveAreaUnder(const GifFrame& frame);
    bool RenderFrame(const GifFrame& frame);
    void DisposeFrame(const GifFrame& frame);
    static RECT FrameRect(const GifFrame& frame);
    void FillSurface(const RECT& rect);

    SIZE m_sizePicture;
    COLORREF m_clrBack;
    std::atomic<int> m_nFrame;
    UINT m_cbData;
    UINT m_nOffset;
    UINT m_cbGlobalColorTable;
    BOOL m_bGif;
    std::atomic<BOOL> m_bPlaying;
    std::atomic<BOOL> m_bStopRequested;
    BOOL m_bReady;
    // The composed picture, and the area under a frame that disposes to the previous picture while it is shown;
    // each a memory device context with its own bitmap.
    BitmapDc m_hdcSurface;
    BitmapDc m_hdcSaved;
    // The animation thread, closed only once it has ended, and the event that cuts its frame delays short.
    OwnedHandle m_hThread;
    OwnedHandle m_hStopEvent;
    Microsoft::WRL::ComPtr<IPicture> m_pStillPicture;
    const BYTE* m_pData;  // the data while it is locked for parsing
    std::vector<GifFrame> m_frames;

    // Serialises loads and unloads; held while a picture decodes, so nothing else takes it but Unload.
    std::mutex m_loadLock;
    // Serialises changes of the content with draws and stops. Never held while a message is sent to the
    // window, since the window's thread may be waiting for it.
    mutable std::mutex m_lifecycleLock;
    // Guards the surface and its size between the animation thread, the painter and the loader.
    std::mutex m_surfaceLock;

    friend class PictureExProbe;  // lets the tests look into the surface
};
