#pragma once
// The one way the program owns a handle: UniqueHandle<Kind> holds at most one and closes it exactly once, when it
// is reset, replaced or destroyed. It moves and never copies.
//
// A Kind says what the handle is and how it ends:
//     using Handle = ...;                 the handle's type
//     static Handle None();               the value that holds nothing
//     static bool IsValid(Handle);        false for every value that holds nothing
//     void Close(Handle) const;           ends it
// A Kind that needs more than the handle to end it (the window a device context came from) carries that along.

#include <utility>

template <class Kind>
class UniqueHandle {
public:
    using Handle = typename Kind::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle, Kind kind = Kind()) noexcept : m_handle(handle), m_kind(kind) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()), m_kind(other.m_kind) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            m_kind = other.m_kind;
            m_handle = other.Release();
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return Kind::IsValid(m_handle); }

    // Gives the handle up without ending it.
    Handle Release() noexcept { return std::exchange(m_handle, Kind::None()); }

    // Ends the handle held, if any, and holds the given one.
    void Reset(Handle handle = Kind::None()) noexcept {
        const Handle previous = std::exchange(m_handle, handle);
        if (Kind::IsValid(previous)) m_kind.Close(previous);
    }

private:
    Handle m_handle = Kind::None();
    [[no_unique_address]] Kind m_kind{};
};
