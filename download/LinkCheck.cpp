#include "download/LinkCheck.h"

namespace {

bool IsAsciiLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool IsAsciiDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsControlOrSpace(wchar_t c) {
    if (c <= 0x20 || (c >= 0x7F && c <= 0xA0)) return true;
    switch (c) {
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
    case 0xFEFF:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200B;
    }
}

}  // namespace

bool IsValidLink(const std::wstring& text) {
    for (const wchar_t c : text) {
        if (IsControlOrSpace(c)) return false;
    }

    const size_t schemeEnd = text.find(L"://");
    if (schemeEnd == std::wstring::npos || schemeEnd < 2 || !IsAsciiLetter(text[0])) return false;
    for (size_t i = 1; i < schemeEnd; ++i) {
        const wchar_t c = text[i];
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != L'+' && c != L'-' && c != L'.') return false;
    }

    const size_t authorityStart = schemeEnd + 3;
    size_t authorityEnd = text.find_first_of(L"/?#", authorityStart);
    if (authorityEnd == std::wstring::npos) authorityEnd = text.size();
    // The host lies between any user part ("user@") and any port (":443").
    size_t hostStart = text.rfind(L'@', authorityEnd);
    hostStart = (hostStart == std::wstring::npos || hostStart < authorityStart) ? authorityStart : hostStart + 1;
    if (hostStart >= authorityEnd) return false;
    return text[hostStart] != L':';
}
