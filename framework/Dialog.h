#pragma once
// Modal dialogs from a dialog template, with control binding.

#include "framework/Wnd.h"

// The program exchanges no values with its controls: an exchange only binds them.
class CDataExchange {
public:
    explicit CDataExchange(CWnd* dialog) : m_pDlgWnd(dialog) {}
    CWnd* m_pDlgWnd;
};

// Binds (subclasses) a member control to the dialog's control with that id, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

// A control's place in a dialog template: x, y, width and height in dialog units.
struct DialogUnitPlace {
    int x, y, cx, cy;
};

// The client rectangle the dialog manager gives a control of that place in this dialog: position and size are
// each mapped on their own, so the far edges need not be where the template's far edges map to.
RECT MapDialogPlace(HWND dialog, const DialogUnitPlace& place);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
    ~CDialog() override;

    INT_PTR DoModal();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    BOOL UpdateData();

    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    void OnOK() { EndDialog(IDOK); }
    void OnCancel() { EndDialog(IDCANCEL); }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();
};
