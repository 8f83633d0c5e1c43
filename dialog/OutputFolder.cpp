#include "dialog/ReelsiftDlg.h"

#include <shlobj.h>

#include "dialog/FolderPath.h"

CString CReelsiftDlg::DefaultOutputFolder() {
    wchar_t documents[MAX_PATH] = L"";
    if (!::SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE)) {
        // Without a Documents folder, the program's own folder is the sensible place.
        ::GetCurrentDirectoryW(MAX_PATH, documents);
    }
    return CString(documents) + L"\\YouTube Files";
}

CString CReelsiftDlg::GetOutputFolder() const {
    std::lock_guard<std::mutex> lock(m_outputFolderLock);
    return m_strOutputFolder;
}

void CReelsiftDlg::SetOutputFolder(const CString& folder) {
    std::lock_guard<std::mutex> lock(m_outputFolderLock);
    m_strOutputFolder = folder;
}

void CReelsiftDlg::OnBnClickedChangeFolder() {
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW browse{};
    browse.hwndOwner = m_hWnd;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = L"Select the Output Folder...";
    browse.ulFlags = 0;
    const OwnedTaskMemory<ITEMIDLIST> item(::SHBrowseForFolderW(&browse));
    if (!item) return;
    wchar_t path[MAX_PATH] = L"";
    if (!::SHGetPathFromIDListW(item.Get(), path) || path[0] == L'\0') return;
    GetDlgItem(IDC_OUTPUT_FOLDER)->SetWindowText(path);
    SetOutputFolder(path);
    UpdateDriveRootWarning();
}

void CReelsiftDlg::OnEnKillfocusOutputFolder() {
    CString typed;
    GetDlgItemText(IDC_OUTPUT_FOLDER, typed);
    const CString folder(NormalizeTypedFolder(typed.str()));
    if (::GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES) {
        GetDlgItem(IDC_OUTPUT_FOLDER)->SetWindowText(GetOutputFolder());
        return;
    }
    SetOutputFolder(folder);
    GetDlgItem(IDC_OUTPUT_FOLDER)->SetWindowText(folder);
    UpdateDriveRootWarning();
}

void CReelsiftDlg::UpdateDriveRootWarning() {
    const bool warn = IsDriveRootWarningFolder(GetOutputFolder().str());
    GetDlgItem(IDC_DRIVE_ROOT_WARNING)->ShowWindow(warn ? SW_SHOW : SW_HIDE);
}

void CReelsiftDlg::OnBnClickedOpenFolder() {
    KillTimer(TIMER_AUTO_OPEN);
    CString folder;
    GetDlgItemText(IDC_OUTPUT_FOLDER, folder);
    ::ShellExecuteW(nullptr, nullptr, folder, nullptr, nullptr, SW_SHOWNORMAL);
}
