#include "dialog/ReelsiftDlg.h"

#include "dialog/FilterValue.h"

void CReelsiftDlg::OnStnClickedFilterLabel() {
    ToggleCheck(m_chkFilter);
    OnBnClickedFilter();
}

void CReelsiftDlg::OnBnClickedFilter() {
    if (IsChecked(m_chkFilter)) {
        GetDlgItem(IDC_FILTER_HINT)->ShowWindow(SW_SHOW);
        GetDlgItem(IDC_FILTER_VALUE)->ShowWindow(SW_SHOW);
        m_comboFilter.EnableWindow(TRUE);
        OnCbnSelchangeFilter();
    } else {
        GetDlgItem(IDC_FILTER_HINT)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_FILTER_VALUE)->ShowWindow(SW_HIDE);
        m_comboFilter.EnableWindow(FALSE);
    }
}

void CReelsiftDlg::OnCbnSelchangeFilter() {
    if (const wchar_t* hint = FilterHintText(static_cast<FilterKind>(m_comboFilter.GetCurSel()))) {
        GetDlgItem(IDC_FILTER_HINT)->SetWindowText(hint);
    }
    CWnd* value = GetDlgItem(IDC_FILTER_VALUE);
    value->SetWindowText(L"");
    value->SetFocus();
}

void CReelsiftDlg::OnEnSetfocusFilterValue() {
    GetDlgItem(IDC_FILTER_HINT)->ShowWindow(SW_SHOW);
}

void CReelsiftDlg::OnEnKillfocusFilterValue() {
    CString typed;
    GetDlgItemText(IDC_FILTER_VALUE, typed);
    const std::wstring cleaned = CleanFilterValue(static_cast<FilterKind>(m_comboFilter.GetCurSel()), typed.str());
    GetDlgItem(IDC_FILTER_VALUE)->SetWindowText(cleaned.c_str());
    GetDlgItem(IDC_FILTER_HINT)->ShowWindow(SW_HIDE);
}
