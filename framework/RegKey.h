#pragma once
// One open registry key, closed by its owner.

#include <windows.h>

#include "framework/Handles.h"

class CRegKey {
public:
    // Both replace the key held, and only when they succeed.
    LONG Open(HKEY parent, const wchar_t* name, REGSAM access = KEY_READ | KEY_WRITE);
    LONG Create(HKEY parent, const wchar_t* name, REGSAM access = KEY_READ | KEY_WRITE);

    LONG SetStringValue(const wchar_t* valueName, const wchar_t* value, DWORD type = REG_SZ);

    operator HKEY() const { return m_key.Get(); }

private:
    OwnedRegistryKey m_key;
};
