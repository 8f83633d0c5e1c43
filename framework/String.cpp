#include "framework/String.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

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
