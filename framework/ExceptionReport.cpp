#include "framework/ExceptionReport.h"

#include <cstddef>
#include <exception>
#include <typeinfo>

#include "framework/File.h"

namespace {

// One line of fixed size: the exception being reported may be std::bad_alloc, so nothing here allocates.
class ReportLine {
public:
    void Append(const wchar_t* text) {
        for (; text && *text && m_length < kCapacity; ++text) m_text[m_length++] = *text;
    }
    // Exception texts are narrow; anything beyond ASCII shows as '?'.
    void AppendNarrow(const char* text) {
        for (; text && *text && m_length < kCapacity; ++text) {
            const auto byte = static_cast<unsigned char>(*text);
            m_text[m_length++] = byte < 0x80 ? static_cast<wchar_t>(byte) : L'?';
        }
    }
    void AppendNumber(unsigned long value) {
        wchar_t digits[16];
        size_t count = 0;
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0 && m_length < kCapacity) m_text[m_length++] = digits[--count];
    }
    const wchar_t* Terminated() {
        m_text[m_length] = L'\0';
        return m_text;
    }

private:
    static constexpr size_t kCapacity = 511;
    wchar_t m_text[kCapacity + 1];
    size_t m_length = 0;
};

}  // namespace

void ReportCaughtException(const wchar_t* where) noexcept {
    ReportLine line;
    line.Append(L"Exception caught in ");
    line.Append(where);
    line.Append(L": ");
    try {
        throw;
    } catch (CFileException* error) {
        line.Append(L"file error ");
        line.AppendNumber(error ? static_cast<unsigned long>(error->m_lOsError) : 0);
        if (error) error->Delete();
    } catch (const std::exception& error) {
        line.AppendNarrow(typeid(error).name());
        line.Append(L": ");
        line.AppendNarrow(error.what());
    } catch (...) {
        line.Append(L"of an unknown type");
    }
    line.Append(L"\n");
    ::OutputDebugStringW(line.Terminated());
}
