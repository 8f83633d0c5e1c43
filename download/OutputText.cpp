#include "download/OutputText.h"

namespace {

bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

ByteToCharTable Latin1Table() {
    ByteToCharTable table{};
    for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<wchar_t>(i);
    return table;
}

std::wstring DecodeOutputBytes(const char* bytes, size_t n, const ByteToCharTable& table) {
    std::wstring text(n, L'\0');
    for (size_t i = 0; i < n; ++i) text[i] = table[static_cast<unsigned char>(bytes[i])];
    return text;
}

std::wstring StatusLineText(std::wstring text) {
    for (wchar_t& c : text) {
        if (IsControl(c)) c = L' ';
    }
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::wstring LogForDisplay(const std::wstring& log) {
    std::wstring shown;
    shown.reserve(log.size());
    size_t lineStart = 0;
    for (;;) {
        size_t lineEnd = log.find(L'\n', lineStart);
        const bool lastLine = lineEnd == std::wstring::npos;
        if (lastLine) lineEnd = log.size();

        // A carriage return that ends the line (as in "\r\n") overwrites nothing.
        size_t visibleEnd = lineEnd;
        while (visibleEnd > lineStart && log[visibleEnd - 1] == L'\r') --visibleEnd;
        size_t visibleStart = visibleEnd;
        while (visibleStart > lineStart && log[visibleStart - 1] != L'\r') --visibleStart;

        for (size_t i = visibleStart; i < visibleEnd; ++i) {
            const wchar_t c = log[i];
            if (c == L'\t')
                shown += L' ';
            else if (!IsControl(c))
                shown += c;
        }
        if (lastLine) break;
        shown += L'\n';
        lineStart = lineEnd + 1;
    }
    return shown;
}
