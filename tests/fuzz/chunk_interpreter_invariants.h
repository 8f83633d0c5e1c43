#pragma once

// One fuzz input through the chunk interpreter, shared by the libFuzzer target and the native replay of its
// corpus. Input: one byte n, then n bytes of output folder, then the chunk's bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "download/ChunkInterpreter.h"
#include "download/OutputText.h"

// An empty text when every promise of the interpreter holds; else what broke.
inline std::string CheckChunkInterpreterInvariants(const uint8_t* data, size_t size) {
    const ByteToCharTable table = Latin1Table();
    const size_t folderSize = size == 0 ? 0 : std::min<size_t>(data[0], size - 1);
    const char* bytes = reinterpret_cast<const char*>(data);
    const std::wstring folder = size == 0 ? std::wstring() : DecodeOutputBytes(bytes + 1, folderSize, table);
    const size_t chunkStart = size == 0 ? 0 : 1 + folderSize;
    const std::wstring chunk = DecodeOutputBytes(bytes + chunkStart, size - chunkStart, table);

    const ChunkDisplay d = InterpretChunk(chunk, folder);

    auto isControl = [](wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); };
    for (const wchar_t c : d.statusText) {
        if (isControl(c)) return "control character in the status line";
    }
    if (!d.statusText.empty() && (d.statusText.front() == L' ' || d.statusText.back() == L' '))
        return "status line not trimmed";
    for (const wchar_t c : d.title) {
        if (isControl(c)) return "control character in the title";
    }
    for (const wchar_t c : d.logText) {
        if (c >= L'A' && c <= L'Z') return "log text not lowered";
    }
    if (d.position < 0 || d.position > 1000 || d.position % 10 != 0)
        return "bar position outside 0..1000 in whole percents";
    if (d.kind != ChunkKind::Progress && (d.position != 0 || d.itemCompleted))
        return "progress without a progress chunk";
    if (d.kind == ChunkKind::Progress && (d.title.rfind(L"Download ", 0) != 0 || d.title.back() != L'%'))
        return "progress title malformed";
    for (const wchar_t c : LogForDisplay(d.logText + L'\n')) {
        if (c != L'\n' && isControl(c)) return "control character in the shown log";
    }
    return {};
}
