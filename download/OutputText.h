#pragma once

#include <array>
#include <cstddef>
#include <string>

// The character each byte of the downloader's output stands for (its code page, one byte per character).
using ByteToCharTable = std::array<wchar_t, 256>;

// Byte n is character n: right for ASCII and Latin-1, and a fallback where no code page table exists.
ByteToCharTable Latin1Table();

// One character per byte, through the table; never sign-extended.
std::wstring DecodeOutputBytes(const char* bytes, size_t n, const ByteToCharTable& table);

// What a person reads in the one-line status box: control characters become blanks, outer blanks go.
std::wstring StatusLineText(std::wstring text);

// The collected log as a terminal would have shown it: of the updates a carriage return separates on one
// line, only the last is kept; no control character but the line feed remains.
std::wstring LogForDisplay(const std::wstring& log);
