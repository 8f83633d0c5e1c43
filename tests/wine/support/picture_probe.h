#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "picture/PictureEx.h"
#include "tests/support/owned_handles.h"

// Reads what a CPictureEx has composed, under the same lock its painter takes.
class PictureExProbe {
public:
    // CLR_INVALID when the control has no surface.
    static COLORREF SurfacePixel(CPictureEx& picture, int x, int y);
    static int Frame(const CPictureEx& picture) { return picture.m_nFrame; }
    static HANDLE Thread(CPictureEx& picture);
    // The context holding the area under a frame that disposes to the previous picture; null when none is kept.
    static HDC SavedArea(CPictureEx& picture);
};

// A plain top-level window with one STATIC child that a CPictureEx subclasses; destroyed at the end.
class PictureWindow {
public:
    PictureWindow();

    HWND Static() const { return m_static; }
    SIZE StaticSize() const;

private:
    OwnedWindow m_frame;
    HWND m_static = nullptr;  // destroyed with the frame
};

// What the window itself shows at a point of its client area, as painted; CLR_INVALID outside it.
COLORREF ShownPixel(HWND window, int x, int y);

// Dispatches this thread's messages until the condition holds or the time is up, looking every 2 ms, fine enough
// to time a frame; true if it held.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Absolute Windows path of a file under tests/data/picture, and of one of the program's animations.
std::wstring PictureTestFile(const wchar_t* name);
std::wstring ProgramGif(const wchar_t* name);

// The logical screen size a GIF file declares (bytes 6 to 9); zero when the file cannot be read.
SIZE GifScreenSize(const std::wstring& path);
