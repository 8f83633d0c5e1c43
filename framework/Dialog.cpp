#include "framework/Dialog.h"

#include "framework/ExceptionReport.h"
#include "framework/WinApp.h"

RECT MapDialogPlace(HWND dialog, const DialogUnitPlace& place) {
    RECT baseUnits{0, 0, 4, 8};
    ::MapDialogRect(dialog, &baseUnits);
    const int left = ::MulDiv(place.x, baseUnits.right, 4);
    const int top = ::MulDiv(place.y, baseUnits.bottom, 8);
    return RECT{left, top, left + ::MulDiv(place.cx, baseUnits.right, 4),
                top + ::MulDiv(place.cy, baseUnits.bottom, 8)};
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd) control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::~CDialog() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DetachPermanent();
}

INT_PTR CDialog::DoModal() {
    return ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                             m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &CDialog::DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::UpdateData() {
    CDataExchange dx(this);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData();
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

INT_PTR CDialog::HandleInitDialog() {
    RECT before{};
    GetWindowRect(&before);
    const BOOL result = OnInitDialog();
    // A dialog that its initialisation did not move is centred, as dialogs without a stored place are.
    RECT after{};
    GetWindowRect(&after);
    if (after.left == before.left && after.top == before.top) CenterWindow();
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->AttachPermanent(hwnd);
        try {
            return dialog->HandleInitDialog();
        } catch (...) {
            ReportCaughtException(L"a dialog's initialisation");
            return TRUE;  // the dialog manager's default: the focus goes to the first control
        }
    }
    auto* dialog = static_cast<CDialog*>(FromHandlePermanent(hwnd));
    if (!dialog) return FALSE;
    if (message == WM_NCDESTROY) {
        dialog->DetachPermanent();
        return FALSE;
    }
    LRESULT result = 0;
    if (!dialog->DispatchToMessageMap(message, wParam, lParam, result)) return FALSE;
    switch (message) {
    // These messages return their answer directly from a dialog procedure.
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
