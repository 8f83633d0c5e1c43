#include "support/picture_probe.h"

#include <mutex>

#include "framework/Handles.h"
#include "tests/support/desktop_windows.h"
#include "tests/support/win32_helpers.h"

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

PictureWindow::PictureWindow()
    : m_frame(::CreateWindowExW(0, L"STATIC", L"picture test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)),
      m_static(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 16, 16, m_frame.Get(), nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr)) {}

SIZE PictureWindow::StaticSize() const {
    RECT rect{};
    ::GetWindowRect(m_static, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

COLORREF ShownPixel(HWND window, int x, int y) {
    const WindowDc dc = GetWindowDc(window);
    return dc ? ::GetPixel(dc.Get(), x, y) : CLR_INVALID;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    return PumpMessagesUntil(condition, timeoutMs, 2);
}

std::wstring PictureTestFile(const wchar_t* name) {
    return SourceTreePath("tests/data/picture/") + name;
}

std::wstring ProgramGif(const wchar_t* name) {
    return SourceTreePath("gifs/") + name;
}

SIZE GifScreenSize(const std::wstring& path) {
    const std::string header = ReadFileBytes(path);
    if (header.size() < 10) return SIZE{};
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(header[at]); };
    return SIZE{byte(6) | (byte(7) << 8), byte(8) | (byte(9) << 8)};
}
