#pragma once
// Every kind of handle the program owns, as a UniqueHandle, and the scopes that undo a change when they end (a
// selection, a lock, an open clipboard), built the same way: the handle is what the scope must give back.

#include <windows.h>
#include <objbase.h>

#include "framework/UniqueHandle.h"

// A handle that null marks as none and one function ends.
template <class HandleType, auto close>
struct NullIsNoneKind {
    using Handle = HandleType;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { close(handle); }
};

// Kernel objects: processes, threads, pipes, files, events, jobs, snapshots. Some functions that make them fail
// with null and some with INVALID_HANDLE_VALUE, so neither counts as a handle.
struct KernelHandleKind {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};
using OwnedHandle = UniqueHandle<KernelHandleKind>;

using OwnedGlobal = UniqueHandle<NullIsNoneKind<HGLOBAL, &::GlobalFree>>;
using OwnedBitmap = UniqueHandle<NullIsNoneKind<HBITMAP, &::DeleteObject>>;
using OwnedBrush = UniqueHandle<NullIsNoneKind<HBRUSH, &::DeleteObject>>;
using OwnedMemoryDc = UniqueHandle<NullIsNoneKind<HDC, &::DeleteDC>>;
using OwnedMenu = UniqueHandle<NullIsNoneKind<HMENU, &::DestroyMenu>>;
using OwnedRegistryKey = UniqueHandle<NullIsNoneKind<HKEY, &::RegCloseKey>>;
// Memory the shell hands out from the COM allocator, such as an item list.
template <class T>
using OwnedTaskMemory = UniqueHandle<NullIsNoneKind<T*, &::CoTaskMemFree>>;

// The process and thread that CreateProcessW hands back, owned, and the process's id.
struct OwnedProcessInformation {
    OwnedProcessInformation() = default;
    explicit OwnedProcessInformation(const PROCESS_INFORMATION& started)
        : hProcess(started.hProcess), hThread(started.hThread), dwProcessId(started.dwProcessId) {}

    OwnedHandle hProcess;
    OwnedHandle hThread;
    DWORD dwProcessId = 0;
};

// A window's device context from GetDC, given back to that window.
struct WindowDcKind {
    using Handle = HDC;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle dc) { return dc != nullptr; }
    void Close(Handle dc) const { ::ReleaseDC(window, dc); }
    HWND window = nullptr;
};
using WindowDc = UniqueHandle<WindowDcKind>;
inline WindowDc GetWindowDc(HWND window) {
    return WindowDc(::GetDC(window), WindowDcKind{window});
}

// An object selected into a device context; the handle is what the context held before, selected back at the end.
struct SelectionKind {
    using Handle = HGDIOBJ;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle previous) { return previous != nullptr && previous != HGDI_ERROR; }
    void Close(Handle previous) const { ::SelectObject(dc, previous); }
    HDC dc = nullptr;
};
using SelectedObject = UniqueHandle<SelectionKind>;
inline SelectedObject SelectInto(HDC dc, HGDIOBJ object) {
    return SelectedObject(::SelectObject(dc, object), SelectionKind{dc});
}

// A global memory block kept locked; the handle is the block's address while the lock lasts.
struct GlobalLockKind {
    using Handle = void*;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle data) { return data != nullptr; }
    void Close(Handle) const { ::GlobalUnlock(block); }
    HGLOBAL block = nullptr;
};
using LockedGlobal = UniqueHandle<GlobalLockKind>;
inline LockedGlobal LockGlobal(HGLOBAL block) {
    return LockedGlobal(::GlobalLock(block), GlobalLockKind{block});
}

// The clipboard, kept open; the handle is whether it opened.
struct ClipboardKind {
    using Handle = bool;
    static Handle None() { return false; }
    static bool IsValid(Handle open) { return open; }
    static void Close(Handle) { ::CloseClipboard(); }
};
using OpenedClipboard = UniqueHandle<ClipboardKind>;
inline OpenedClipboard OpenClipboardFor(HWND owner) {
    return OpenedClipboard(::OpenClipboard(owner) != FALSE);
}
