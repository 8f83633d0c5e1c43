#pragma once

#include <windows.h>

// Owns a global memory block and frees it.
class OwnedGlobal {
public:
    explicit OwnedGlobal(HGLOBAL block) : m_block(block) {}
    OwnedGlobal(const OwnedGlobal&) = delete;
    OwnedGlobal& operator=(const OwnedGlobal&) = delete;
    ~OwnedGlobal() {
        if (m_block) ::GlobalFree(m_block);
    }

    HGLOBAL get() const { return m_block; }
    explicit operator bool() const { return m_block != nullptr; }

private:
    HGLOBAL m_block;
};

// Keeps a global memory block locked; Unlock() ends it early.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : m_block(block), m_data(static_cast<BYTE*>(::GlobalLock(block))) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() { Unlock(); }

    BYTE* data() const { return m_data; }
    void Unlock() {
        if (m_data) ::GlobalUnlock(m_block);
        m_data = nullptr;
    }

private:
    HGLOBAL m_block;
    BYTE* m_data;
};

// A window's device context from GetDC, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (m_dc) ::ReleaseDC(m_window, m_dc);
    }

    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// A memory device context, deleted on scope exit.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (m_dc) ::DeleteDC(m_dc);
    }

    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};

// A GDI bitmap, deleted on scope exit.
class OwnedBitmap {
public:
    explicit OwnedBitmap(HBITMAP bitmap) : m_bitmap(bitmap) {}
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    ~OwnedBitmap() {
        if (m_bitmap) ::DeleteObject(m_bitmap);
    }

    HBITMAP get() const { return m_bitmap; }

private:
    HBITMAP m_bitmap;
};

// Keeps an object selected into a device context; what the context held before comes back on scope exit.
class SelectionScope {
public:
    SelectionScope(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;
    ~SelectionScope() {
        if (m_previous) ::SelectObject(m_dc, m_previous);
    }

    explicit operator bool() const { return m_previous != nullptr; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
