#include "support/e2e_program_folder.h"

#include <windows.h>

#include <stdexcept>

#include "support/standin_folder.h"

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchSubfolder::ScratchSubfolder(const std::wstring& parent, const std::wstring& name)
    : m_path(parent + L"\\" + name) {
    if (!::CreateDirectoryW(m_path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        throw std::runtime_error("cannot create a scratch folder");
    }
}

ScratchSubfolder::~ScratchSubfolder() {
    RemoveTree(m_path);
}

StatusAnimationsCopy::StatusAnimationsCopy(const std::wstring& folder) : m_gifs(folder, L"gifs") {
    const std::wstring source = WindowsPathOf(std::string(REELSIFT_SOURCE_DIR) + "/gifs");
    for (const wchar_t* name : {L"converting.gif", L"url.gif", L"ready.gif", L"eyes.gif", L"downloading.gif"}) {
        if (!::CopyFileW((source + L"\\" + name).c_str(), m_gifs.FilePath(name).c_str(), FALSE)) {
            throw std::runtime_error("cannot copy the status animations");
        }
    }
}
