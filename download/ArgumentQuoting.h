#pragma once

#include <string>

// Quoting by the rules the Microsoft C runtime and CommandLineToArgvW use to split a command line,
// so that whatever the text holds, the child sees it as exactly one argument.

// Always between double quotes.
std::wstring QuoteArgument(const std::wstring& arg);

// Bare when that already splits as one argument; quoted when empty or holding a blank, a tab or a quote.
std::wstring QuoteArgumentIfNeeded(const std::wstring& arg);
