#pragma once
// One open registry key, closed by its owner.

#include <windows.h>

class CRegKey {
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey() { Close(); }

    LONG Open(HKEY parent, const wchar_t* name, REGSAM access = KEY_READ | KEY_WRITE);
    LONG Create(HKEY parent, const wchar_t* name, REGSAM access = KEY_READ | KEY_WRITE);
    LONG Close();

    LONG SetStringValue(const wchar_t* valueName, const wchar_t* value, DWORD type = REG_SZ);

    operator HKEY() const { return m_hKey; }

    HKEY m_hKey = nullptr;
};
