// The floor under Wine: a GUI program that shows one empty dialog from a template in memory, nothing else.
#include <windows.h>

#include <algorithm>

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title, pointSize;
        wchar_t font[7];
    } dialog{};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT;
    dialog.header.cx = 300;
    dialog.header.cy = 200;
    dialog.pointSize = 9;
    std::copy_n(L"Tahoma", 7, dialog.font);
    return static_cast<int>(::DialogBoxIndirectParamW(instance, &dialog.header, nullptr, &EmptyDialogProc, 0));
}
