#include "download/AnsiText.h"

#include <windows.h>

ByteToCharTable AnsiCodePageTable() {
    // Every ANSI code page keeps ASCII where it is; the markers the interpreter looks for rely on that.
    ByteToCharTable table = Latin1Table();
    const UINT codePage = GetACP();
    CPINFO info{};
    if (!GetCPInfo(codePage, &info)) return table;

    const bool multiByte = info.MaxCharSize > 1;
    for (unsigned value = 0x80; value < table.size(); ++value) {
        const char byte = static_cast<char>(value);
        wchar_t decoded = 0;
        const bool standsAlone = !(multiByte && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(value)));
        if (standsAlone && MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &decoded, 1) == 1)
            table[value] = decoded;
        else
            table[value] = L'\xFFFD';
    }
    return table;
}
