#pragma once
// The kinds of handle that only the tests and benchmarks own, on the program's template: the program searches no
// folder and destroys no window of its own.

#include <windows.h>

#include "framework/Handles.h"

// FindFirstFileW fails with INVALID_HANDLE_VALUE, as some kernel calls do, but only FindClose ends what it gives.
struct FileSearchKind : KernelHandleKind {
    static void Close(Handle search) { ::FindClose(search); }
};
using OwnedFileSearch = UniqueHandle<FileSearchKind>;

// A window this thread made, destroyed with everything in it.
using OwnedWindow = UniqueHandle<NullIsNoneKind<HWND, &::DestroyWindow>>;
