#pragma once
// CString: the UTF-16 string the program's code is written against. A plain value type over std::wstring.

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_text(text ? text : L"") {}
    CString(std::wstring text) : m_text(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    operator const wchar_t*() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }

    void Format(const wchar_t* format, ...);

    CString& operator+=(const wchar_t* other) {
        m_text += other ? other : L"";
        return *this;
    }

    friend CString operator+(const CString& a, const wchar_t* b) {
        CString r(a);
        r += b;
        return r;
    }
    // Through the conversion to a pointer, this would add to the pointer.
    friend CString operator+(const CString& a, wchar_t b) = delete;
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_text == (b ? b : L""); }

private:
    std::wstring m_text;
};
