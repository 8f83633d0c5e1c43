#include "framework/String.h"

#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

bool IsTrimmable(wchar_t ch) {
    return std::iswspace(static_cast<wint_t>(ch)) != 0;
}

int ToIndex(size_t pos) {
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

size_t Clamp(int value, size_t limit) {
    if (value < 0) return 0;
    return static_cast<size_t>(value) > limit ? limit : static_cast<size_t>(value);
}

}  // namespace

int CString::Find(wchar_t ch, int start) const {
    if (start < 0 || static_cast<size_t>(start) > m_text.size()) return -1;
    return ToIndex(m_text.find(ch, static_cast<size_t>(start)));
}

int CString::Find(const wchar_t* sub, int start) const {
    if (!sub || start < 0 || static_cast<size_t>(start) > m_text.size()) return -1;
    return ToIndex(m_text.find(sub, static_cast<size_t>(start)));
}

int CString::ReverseFind(wchar_t ch) const {
    return ToIndex(m_text.rfind(ch));
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
    const std::wstring_view from = oldText ? oldText : L"";
    const std::wstring_view to = newText ? newText : L"";
    if (from.empty()) return 0;
    // Built into a new string so that the cost stays linear in the text, however many matches.
    std::wstring result;
    int count = 0;
    size_t pos = 0;
    for (size_t hit; (hit = m_text.find(from, pos)) != std::wstring::npos; pos = hit + from.size()) {
        result.append(m_text, pos, hit - pos);
        result.append(to);
        ++count;
    }
    if (count == 0) return 0;
    result.append(m_text, pos, std::wstring::npos);
    m_text = std::move(result);
    return count;
}

int CString::Remove(wchar_t ch) {
    const size_t before = m_text.size();
    std::erase(m_text, ch);
    return static_cast<int>(before - m_text.size());
}

CString& CString::MakeLower() {
    if (!m_text.empty()) {
        CharLowerBuffW(m_text.data(), static_cast<DWORD>(m_text.size()));
    }
    return *this;
}

CString& CString::TrimLeft() {
    size_t first = 0;
    while (first < m_text.size() && IsTrimmable(m_text[first])) ++first;
    m_text.erase(0, first);
    return *this;
}

CString& CString::TrimRight() {
    size_t end = m_text.size();
    while (end > 0 && IsTrimmable(m_text[end - 1])) --end;
    m_text.resize(end);
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString CString::Left(int count) const {
    return CString(m_text.substr(0, Clamp(count, m_text.size())));
}

CString CString::Mid(int first) const {
    return CString(m_text.substr(Clamp(first, m_text.size())));
}

CString CString::Mid(int first, int count) const {
    const size_t start = Clamp(first, m_text.size());
    return CString(m_text.substr(start, Clamp(count, m_text.size() - start)));
}

CString CString::Right(int count) const {
    const size_t n = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

CString& CString::Delete(int index, int count) {
    const size_t start = Clamp(index, m_text.size());
    m_text.erase(start, Clamp(count, m_text.size() - start));
    return *this;
}

void CString::Format(const wchar_t* format, ...) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int written = std::vswprintf(buffer.data(), buffer.size(), format, args);
        va_end(args);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size()) {
            m_text.assign(buffer.data(), static_cast<size_t>(written));
            return;
        }
        if (buffer.size() > (1u << 24)) {  // a format that never fits: give up rather than grow forever
            m_text.clear();
            return;
        }
        buffer.resize(buffer.size() * 2);
    }
}
