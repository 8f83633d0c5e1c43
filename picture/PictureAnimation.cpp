// CPictureEx's animation thread, its frame loop and the stop sequence.

#include <process.h>

#include "picture/FrameDelay.h"
#include "picture/PictureEx.h"

namespace {

constexpr DWORD kStopWaitMilliseconds = 5000;

enum : UINT { kDisposeToBackground = 2, kDisposeToPrevious = 3 };

}  // namespace

void CPictureEx::Stop() {
    std::lock_guard<std::mutex> lifecycle(m_lifecycleLock);
    StopLocked();
}

void CPictureEx::StartAnimationLocked() {
    if (m_hThread) {
        if (::WaitForSingleObject(m_hThread.Get(), 0) == WAIT_TIMEOUT)
            return;  // playing already, or still ending after a stop that timed out
        ForgetEndedThreadLocked();
    }
    // Without the event a stop could not cut a frame delay short.
    if (!m_hStopEvent) return;
    const uintptr_t thread =
        ::_beginthreadex(nullptr, 0, &CPictureEx::AnimationThreadEntry, this, CREATE_SUSPENDED, nullptr);
    if (thread == 0) return;
    m_hThread.Reset(reinterpret_cast<HANDLE>(thread));
    ::ResumeThread(m_hThread.Get());
}

void CPictureEx::StopLocked() {
    m_bPlaying = FALSE;
    m_bStopRequested = TRUE;
    if (m_hStopEvent) ::SetEvent(m_hStopEvent.Get());
    // A thread that has not ended in time keeps its handle, and the flag and the event stay set until
    // it has: clearing them now would let it play on beside the next start.
    if (m_hThread && ::WaitForSingleObject(m_hThread.Get(), kStopWaitMilliseconds) == WAIT_TIMEOUT) return;
    ForgetEndedThreadLocked();
}

void CPictureEx::ForgetEndedThreadLocked() {
    m_hThread.Reset();
    if (m_hStopEvent) ::ResetEvent(m_hStopEvent.Get());
    m_bStopRequested = FALSE;
}

// Stops the animation and waits, however long it takes, until its thread has ended.
void CPictureEx::JoinAnimationLocked() {
    StopLocked();
    if (m_hThread) {
        ::WaitForSingleObject(m_hThread.Get(), INFINITE);
        ForgetEndedThreadLocked();
    }
}

unsigned __stdcall CPictureEx::AnimationThreadEntry(void* pParam) {
    CPictureEx* picture = static_cast<CPictureEx*>(pParam);
    picture->m_bPlaying = TRUE;
    unsigned exitCode = 0;
    try {
        picture->RunAnimation();
    } catch (...) {
        // The loop keeps nothing that a stop would not leave: the control stays as if it had been stopped.
        ReportCaughtException(L"an animation thread");
        exitCode = kExitCodeAfterException;
    }
    picture->m_bPlaying = FALSE;
    return exitCode;
}

void CPictureEx::RunAnimation() {
    // As in the loop, the lock stays until the frame is on the surface again.
    std::unique_lock<std::mutex> surface(m_surfaceLock);
    DisposeFrame(m_frames[static_cast<size_t>(m_nFrame)]);

    while (!m_bStopRequested) {
        const GifFrame& frame = m_frames[static_cast<size_t>(m_nFrame)];
        if (frame.image || frame.pPicture) {
            if (!surface.owns_lock()) surface.lock();
            if (frame.nDisposal == kDisposeToPrevious) SaveAreaUnder(frame);
            const bool rendered = RenderFrame(frame);
            surface.unlock();
            // The whole control, not the frame's rectangle: disposals and the wrap change the surface outside
            // it, and the control may still show what it held before this picture was loaded.
            if (rendered) ::InvalidateRect(m_hWnd, nullptr, FALSE);

            if (m_bStopRequested) return;
            ::WaitForSingleObject(m_hStopEvent.Get(), FrameDelayMilliseconds(frame.nDelay));
            if (m_bStopRequested) return;

            // Kept until the next frame is on the surface: no paint shows the area disposed of.
            surface.lock();
            DisposeFrame(frame);
        }

        // The fill at the wrap stays locked until the first frame is on the surface again.
        if (++m_nFrame == static_cast<int>(m_frames.size())) {
            m_nFrame = 0;
            if (!surface.owns_lock()) surface.lock();
            FillSurface(RECT{0, 0, m_sizePicture.cx, m_sizePicture.cy});
        }
    }
}

RECT CPictureEx::FrameRect(const GifFrame& frame) {
    return RECT{frame.frameOffset.x, frame.frameOffset.y, frame.frameOffset.x + frame.frameSize.cx,
                frame.frameOffset.y + frame.frameSize.cy};
}

// Without room to save the area, the frame's disposal does nothing.
void CPictureEx::SaveAreaUnder(const GifFrame& frame) {
    m_hdcSaved = BitmapDc::CreateCompatible(m_hdcSurface.GetSafeHdc(), frame.frameSize.cx, frame.frameSize.cy);
    if (!m_hdcSaved) return;
    ::BitBlt(m_hdcSaved.GetSafeHdc(), 0, 0, frame.frameSize.cx, frame.frameSize.cy, m_hdcSurface.GetSafeHdc(),
             frame.frameOffset.x, frame.frameOffset.y, SRCCOPY);
}

bool CPictureEx::RenderFrame(const GifFrame& frame) {
    if (frame.image) return frame.image->Draw(m_hdcSurface.GetSafeHdc(), frame.frameOffset);
    return SUCCEEDED(
        RenderPicture(*frame.pPicture.Get(), m_hdcSurface.GetSafeHdc(), frame.frameOffset, frame.frameSize));
}

void CPictureEx::DisposeFrame(const GifFrame& frame) {
    if (frame.nDisposal == kDisposeToBackground) {
        FillSurface(FrameRect(frame));
    } else if (frame.nDisposal == kDisposeToPrevious && m_hdcSaved) {
        ::BitBlt(m_hdcSurface.GetSafeHdc(), frame.frameOffset.x, frame.frameOffset.y, frame.frameSize.cx,
                 frame.frameSize.cy, m_hdcSaved.GetSafeHdc(), 0, 0, SRCCOPY);
        m_hdcSaved.Reset();
    }
}

void CPictureEx::FillSurface(const RECT& rect) {
    CBrush brush;
    if (brush.CreateSolidBrush(m_clrBack)) ::FillRect(m_hdcSurface.GetSafeHdc(), &rect, brush);
}
