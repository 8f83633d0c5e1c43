#include "framework/RegKey.h"

#include <cwchar>

LONG CRegKey::Open(HKEY parent, const wchar_t* name, REGSAM access) {
    HKEY key = nullptr;
    const LONG status = ::RegOpenKeyExW(parent, name, 0, access, &key);
    if (status == ERROR_SUCCESS) m_key.Reset(key);
    return status;
}

LONG CRegKey::Create(HKEY parent, const wchar_t* name, REGSAM access) {
    HKEY key = nullptr;
    const LONG status =
        ::RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) m_key.Reset(key);
    return status;
}

LONG CRegKey::SetStringValue(const wchar_t* valueName, const wchar_t* value, DWORD type) {
    const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(m_key.Get(), valueName, 0, type, reinterpret_cast<const BYTE*>(value), bytes);
}
