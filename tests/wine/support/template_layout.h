#pragma once
// Template 102 as the dialog manager lays it out in this prefix, hidden: the test's own copy of the program's
// dialog (the tests carry its resources), for what only the process that owns a dialog can ask it.

#include <windows.h>

#include "tests/support/owned_handles.h"

class TemplateDialog {
public:
    TemplateDialog();

    HWND Window() const { return m_window.Get(); }
    // Dialog units to pixels, as the dialog manager placed the controls.
    RECT Map(RECT units) const;
    // The window's own size: what the template needs at the current display scale.
    SIZE WindowSize() const;

private:
    OwnedWindow m_window;
};
