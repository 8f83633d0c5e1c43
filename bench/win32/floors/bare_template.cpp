// Reelsift's own dialog template and manifest in a GUI program with no code of its own: what the template's
// controls cost to show, as against what Reelsift's start-up code adds.
#include <windows.h>

#include <commctrl.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    return static_cast<int>(
        ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_REELSIFT_DIALOG), nullptr, &BareDialogProc, 0));
}
