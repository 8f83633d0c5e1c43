#include "dialog/ReelsiftDlg.h"

#include <algorithm>

#include "dialog/MonitorGeometry.h"
#include "dialog/SavedControls.h"
#include "dialog/SettingsStore.h"
#include "dialog/WindowPlacementText.h"

void CReelsiftDlg::SaveSettings() {
    const RECT rect = RestoredWindowRect(m_hWnd);
    const WindowPlacementRect placement{rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top};
    WriteSettingString(L"LastWindowPos", CString(FormatWindowPlacement(placement)));

    const CString folder = GetOutputFolder();
    if (::GetFileAttributesW(folder) != INVALID_FILE_ATTRIBUTES) WriteSettingString(L"LastFolderPath", folder);

    for (const SavedControl& saved : kSavedControls) {
        const CWnd* control = GetDlgItem(saved.controlId);
        if (saved.state == SavedState::Check) {
            WriteSettingString(saved.valueName, control->SendMessage(BM_GETCHECK) == BST_CHECKED ? L"true" : L"false");
        } else {
            CString selection;
            selection.Format(L"%d", static_cast<int>(control->SendMessage(CB_GETCURSEL)));
            WriteSettingString(saved.valueName, selection);
        }
    }
}

void CReelsiftDlg::LoadSettings() {
    const CString folder = ReadSettingString(L"LastFolderPath");
    if (!folder.IsEmpty()) {
        GetDlgItem(IDC_OUTPUT_FOLDER)->SetWindowText(folder);
        SetOutputFolder(folder);
    }
    UpdateDriveRootWarning();

    // The dialog has no sizing border: its one size is what the dialog manager gave the template at the current
    // display scale. A stored size, taken at another scale, would cut the controls off or leave a blank band.
    RECT own{};
    GetWindowRect(&own);
    const CString storedPlacement = ReadSettingString(L"LastWindowPos");
    WindowPlacementRect placement = ParseWindowPlacement(storedPlacement.str());
    placement.width = own.right - own.left;
    placement.height = own.bottom - own.top;
    // A placement that would leave the window off every screen is not restored.
    if (!storedPlacement.IsEmpty() && CaptionOnSomeWorkArea(placement)) {
        SetWindowPos(&wndTop, placement.left, placement.top, placement.width, placement.height, SWP_NOACTIVATE);
    } else {
        SetWindowPos(&wndTop, 0, 0, placement.width, placement.height, SWP_NOMOVE | SWP_NOACTIVATE);
    }

    // A box is always set, checked only by exactly "true"; a combo box without a stored value keeps no selection.
    // The boxes come in the order they are written, then the filter kind, then the two formats.
    std::array<SavedControl, kSavedControls.size()> restoreOrder = kSavedControls;
    std::stable_partition(restoreOrder.begin(), restoreOrder.end(), [](const SavedControl& saved) {
        return saved.state == SavedState::Check || saved.controlId == IDC_FILTER_KIND;
    });
    for (const SavedControl& saved : restoreOrder) {
        const CString value = ReadSettingString(saved.valueName);
        const CWnd* control = GetDlgItem(saved.controlId);
        if (saved.state == SavedState::Check) {
            control->SendMessage(BM_SETCHECK, value == L"true" ? BST_CHECKED : BST_UNCHECKED);
        } else if (!value.IsEmpty()) {
            control->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(ParseLeadingInt(value.str())));
        }
    }
}
