#pragma once
// Kinds of handle that only the tests own, on the program's handle template.

#include <windows.h>

#include "framework/Handles.h"

using OwnedWindow = UniqueHandle<NullIsNoneKind<HWND, &::DestroyWindow>>;

// A search from FindFirstFileW, which fails with INVALID_HANDLE_VALUE.
struct FileSearchKind {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle search) { return search != INVALID_HANDLE_VALUE; }
    static void Close(Handle search) { ::FindClose(search); }
};
using OwnedFileSearch = UniqueHandle<FileSearchKind>;
