#include "framework/File.h"

BOOL CFile::Open(const wchar_t* path, UINT flags, CFileException* error) {
    Close();
    const DWORD share = (flags & shareDenyWrite) ? FILE_SHARE_READ : (FILE_SHARE_READ | FILE_SHARE_WRITE);
    m_hFile = ::CreateFileW(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        if (error) error->m_lOsError = static_cast<LONG>(::GetLastError());
        return FALSE;
    }
    return TRUE;
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(m_hFile, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr)) throw new CFileException(::GetLastError());
    return read;
}

void CFile::Close() {
    if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}
