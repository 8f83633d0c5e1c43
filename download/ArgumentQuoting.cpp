#include "download/ArgumentQuoting.h"

std::wstring QuoteArgument(const std::wstring& arg) {
    std::wstring quoted;
    quoted.reserve(arg.size() + 2);
    quoted += L'"';
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them; then each must be escaped, and the quote too.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    // The closing quote is a quote as well: trailing backslashes must not escape it.
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring QuoteArgumentIfNeeded(const std::wstring& arg) {
    if (arg.empty() || arg.find_first_of(L" \t\"") != std::wstring::npos) return QuoteArgument(arg);
    return arg;
}
