#pragma once
// Files read whole by the picture control.

#include <windows.h>

#include "framework/Handles.h"

class CFileException {
public:
    explicit CFileException(DWORD error = 0) : m_lOsError(static_cast<LONG>(error)) {}
    void Delete() { delete this; }
    LONG m_lOsError;
};

class CFile {
public:
    enum OpenFlags : UINT { modeRead = 0x0000, shareDenyWrite = 0x0020 };

    // Closes the file held first; FALSE when the file cannot be opened.
    BOOL Open(const wchar_t* path, UINT flags);
    ULONGLONG GetLength() const;
    // Throws a CFileException allocated with new when the read fails; the catcher calls Delete.
    UINT Read(void* buffer, UINT count);
    void Close() { m_file.Reset(); }

private:
    OwnedHandle m_file;
};
