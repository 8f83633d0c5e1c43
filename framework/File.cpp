#include "framework/File.h"

BOOL CFile::Open(const wchar_t* path, UINT flags) {
    Close();
    const DWORD share = (flags & shareDenyWrite) ? FILE_SHARE_READ : (FILE_SHARE_READ | FILE_SHARE_WRITE);
    m_file.Reset(::CreateFileW(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return m_file ? TRUE : FALSE;
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(m_file.Get(), &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    if (!::ReadFile(m_file.Get(), buffer, count, &read, nullptr)) throw new CFileException(::GetLastError());
    return read;
}
