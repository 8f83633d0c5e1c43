#include "dialog/ReelsiftDlg.h"

#include <algorithm>

#include "dialog/SettingsStore.h"
#include "dialog/WindowPlacementText.h"

namespace {

const wchar_t* const kCheckBoxValues[] = {L"check_auto_paste",          L"check_download_only_audio",
                                          L"check_download_full_video", L"check_download_all_formats",
                                          L"check_write_metadata",      L"check_embed_subtitles",
                                          L"check_embed_thumb",         L"check_download_reverse",
                                          L"check_auto_create_folders", L"check_auto_open"};

struct CaptionSearch {
    RECT caption;
    bool visible;
};

BOOL CALLBACK FindWorkAreaUnderCaption(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT overlap{};
    if (::GetMonitorInfoW(monitor, &info) && ::IntersectRect(&overlap, &search->caption, &info.rcWork)) {
        search->visible = true;
        return FALSE;
    }
    return TRUE;
}

bool CaptionOnSomeWorkArea(const WindowPlacementRect& placement) {
    CaptionSearch search{{placement.left, placement.top, placement.left + placement.width,
                          placement.top + ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFIXEDFRAME)},
                         false};
    ::EnumDisplayMonitors(nullptr, nullptr, &FindWorkAreaUnderCaption, reinterpret_cast<LPARAM>(&search));
    return search.visible;
}

// The rectangle to keep: the restored one when the window is minimised or maximised.
RECT RestoredWindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    if (!::IsIconic(window) && !::IsZoomed(window)) return rect;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement)) return rect;
    rect = placement.rcNormalPosition;
    // The normal position is in work-area coordinates; move it to screen coordinates.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) {
        ::OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rect;
}

}  // namespace

// The saved check boxes, in the order of their values.
std::array<CButton*, 10> CReelsiftDlg::SavedCheckBoxes() {
    return {&m_chkAutoPaste, &m_chkAudioOnly, &m_chkFullVideo,       &m_chkAllFormats,      &m_chkMetadata,
            &m_chkSubtitles, &m_chkThumbnail, &m_chkPlaylistReverse, &m_chkPlaylistFolders, &m_chkAutoOpen};
}

CString CReelsiftDlg::GetOutputFolder() const {
    std::lock_guard<std::mutex> lock(m_outputFolderLock);
    return m_strOutputFolder;
}

void CReelsiftDlg::SetOutputFolder(const CString& folder) {
    std::lock_guard<std::mutex> lock(m_outputFolderLock);
    m_strOutputFolder = folder;
}

void CReelsiftDlg::SaveSettings() {
    const RECT rect = RestoredWindowRect(m_hWnd);
    const WindowPlacementRect placement{rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top};
    WriteSettingString(L"LastWindowPos", CString(FormatWindowPlacement(placement)));

    const CString folder = GetOutputFolder();
    if (::GetFileAttributesW(folder) != INVALID_FILE_ATTRIBUTES) WriteSettingString(L"LastFolderPath", folder);

    const auto boxes = SavedCheckBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        WriteSettingString(kCheckBoxValues[i], boxes[i]->GetCheck() == BST_CHECKED ? L"true" : L"false");
    }

    const std::pair<const wchar_t*, const CComboBox*> combos[] = {{L"combo_audioformat", &m_comboAudioFormat},
                                                                  {L"combo_videoformat", &m_comboVideoFormat},
                                                                  {L"combo_filter", &m_comboFilter}};
    for (const auto& [name, combo] : combos) {
        CString selection;
        selection.Format(L"%d", combo->GetCurSel());
        WriteSettingString(name, selection);
    }
}

void CReelsiftDlg::LoadSettings() {
    const CString folder = ReadSettingString(L"LastFolderPath");
    if (!folder.IsEmpty()) {
        GetDlgItem(IDC_OUTPUT_FOLDER)->SetWindowText(folder);
        SetOutputFolder(folder);
    }
    UpdateDriveRootWarning();

    // The size the dialog manager gave the template at the current display scale: never less than that, or the
    // controls are cut off, as by a size stored at a smaller scale.
    RECT own{};
    GetWindowRect(&own);
    const int ownWidth = own.right - own.left;
    const int ownHeight = own.bottom - own.top;
    const CString storedPlacement = ReadSettingString(L"LastWindowPos");
    WindowPlacementRect placement = ParseWindowPlacement(storedPlacement.str());
    placement.width = std::max(placement.width, ownWidth);
    placement.height = std::max(placement.height, ownHeight);
    // A placement that would leave the window off every screen is not restored.
    if (!storedPlacement.IsEmpty() && CaptionOnSomeWorkArea(placement)) {
        SetWindowPos(&wndTop, placement.left, placement.top, placement.width, placement.height, SWP_NOACTIVATE);
    } else {
        SetWindowPos(&wndTop, 0, 0, ownWidth, ownHeight, SWP_NOMOVE | SWP_NOACTIVATE);
    }

    const auto boxes = SavedCheckBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->SetCheck(ReadSettingString(kCheckBoxValues[i]) == L"true" ? BST_CHECKED : BST_UNCHECKED);
    }

    const std::pair<const wchar_t*, CComboBox*> combos[] = {{L"combo_filter", &m_comboFilter},
                                                            {L"combo_audioformat", &m_comboAudioFormat},
                                                            {L"combo_videoformat", &m_comboVideoFormat}};
    for (const auto& [name, combo] : combos) {
        const CString value = ReadSettingString(name);
        if (!value.IsEmpty()) combo->SetCurSel(ParseLeadingInt(value.str()));
    }
}
