#pragma once
// A folder search from FindFirstFileW, owned: the program searches no folder, the tests and benchmarks do.

#include <windows.h>

#include "framework/UniqueHandle.h"

// FindFirstFileW fails with INVALID_HANDLE_VALUE, and only FindClose ends what it gives.
struct FileSearchKind {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle search) { return search != INVALID_HANDLE_VALUE && search != nullptr; }
    static void Close(Handle search) { ::FindClose(search); }
};
using OwnedFileSearch = UniqueHandle<FileSearchKind>;
