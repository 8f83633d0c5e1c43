#include "support/picture_probe.h"

#include <algorithm>
#include <mutex>

COLORREF PictureExProbe::SurfacePixel(CPictureEx& picture, int x, int y) {
    std::lock_guard<std::mutex> surface(picture.m_surfaceLock);
    return picture.m_hdcSurface ? ::GetPixel(picture.m_hdcSurface.GetSafeHdc(), x, y) : CLR_INVALID;
}

HANDLE PictureExProbe::Thread(CPictureEx& picture) {
    std::lock_guard<std::mutex> lifecycle(picture.m_lifecycleLock);
    return picture.m_hThread.Get();
}

HDC PictureExProbe::SavedArea(CPictureEx& picture) {
    std::lock_guard<std::mutex> surface(picture.m_surfaceLock);
    return picture.m_hdcSaved.GetSafeHdc();
}

PictureWindow::PictureWindow() {
    m_frame = ::CreateWindowExW(0, L"STATIC", L"picture test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    m_static = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 16, 16, m_frame, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
}

PictureWindow::~PictureWindow() {
    if (m_frame) ::DestroyWindow(m_frame);
}

SIZE PictureWindow::StaticSize() const {
    RECT rect{};
    ::GetWindowRect(m_static, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

COLORREF ShownPixel(HWND window, int x, int y) {
    HDC dc = ::GetDC(window);
    if (!dc) return CLR_INVALID;
    const COLORREF pixel = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return pixel;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (condition()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 2)),
                                    QS_ALLINPUT);
    }
}

void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

std::wstring PictureTestFile(const wchar_t* name) {
    std::wstring path = L"Z:";
    for (const char* c = REELSIFT_SOURCE_DIR "/tests/data/picture/"; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path + name;
}

SIZE GifScreenSize(const std::wstring& path) {
    SIZE size{};
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return size;
    BYTE header[10] = {};
    DWORD read = 0;
    if (::ReadFile(file, header, sizeof(header), &read, nullptr) && read == sizeof(header)) {
        size.cx = header[6] | (header[7] << 8);
        size.cy = header[8] | (header[9] << 8);
    }
    ::CloseHandle(file);
    return size;
}
