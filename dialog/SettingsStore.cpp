#include "dialog/SettingsStore.h"

#include "dialog/RegistryString.h"
#include "framework/RegKey.h"

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Reelsift";
constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;
constexpr DWORD kValueBytes = 260 * sizeof(wchar_t);  // 259 characters and the terminator

}  // namespace

void WriteSettingString(const CString& name, const CString& text) {
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kSettingsKey, kAccess) != ERROR_SUCCESS &&
        key.Create(HKEY_CURRENT_USER, kSettingsKey, kAccess) != ERROR_SUCCESS) {
        return;
    }
    key.SetStringValue(name, text);
}

CString ReadSettingString(const CString& name) {
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kSettingsKey, kAccess) != ERROR_SUCCESS) return CString();
    BYTE data[kValueBytes];
    DWORD size = kValueBytes;
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) return CString();
    const std::optional<std::wstring> text = StringFromRegistryValue(type, data, size);
    return text ? CString(*text) : CString();
}
