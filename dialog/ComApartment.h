#pragma once
// COM on the calling thread, as a single-threaded apartment, for as long as the object lives. Made and destroyed
// on that same thread.

#include <objbase.h>

class ComApartment {
public:
    ComApartment() : m_entered(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_entered) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_entered;
};
