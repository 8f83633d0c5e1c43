#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialog/RegistryString.h"

namespace {

std::vector<uint8_t> Utf16Le(const std::wstring& text, bool terminated = true) {
    std::vector<uint8_t> bytes;
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
    }
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

}  // namespace

TEST(RegistryString, ReadsOnlyWellFormedShortStrings) {
    struct Case {
        const char* name;
        uint32_t type;
        std::vector<uint8_t> data;
        std::optional<std::wstring> text;
    };
    std::vector<uint8_t> oddSize = Utf16Le(L"true");
    oddSize.push_back(0);
    std::vector<uint8_t> innerZero = Utf16Le(L"ab");
    innerZero[2] = innerZero[3] = 0;

    const Case cases[] = {
        {"string", 1, Utf16Le(L"true"), L"true"},
        {"expandable string, not expanded", 2, Utf16Le(L"%USERPROFILE%\\x"), L"%USERPROFILE%\\x"},
        {"non-ASCII", 1, Utf16Le(L"D:\\\u0416\u00E9"), L"D:\\\u0416\u00E9"},
        {"empty string", 1, Utf16Le(L""), L""},
        {"259 characters", 1, Utf16Le(std::wstring(259, L'a')), std::wstring(259, L'a')},
        {"text up to the first zero", 1, innerZero, L"a"},
        {"260 characters", 1, Utf16Le(std::wstring(260, L'a')), std::nullopt},
        {"300 characters", 1, Utf16Le(std::wstring(300, L'a')), std::nullopt},
        {"number type", 4, {1, 0, 0, 0}, std::nullopt},
        {"binary type", 3, Utf16Le(L"true"), std::nullopt},
        {"multi-string type", 7, Utf16Le(L"true"), std::nullopt},
        {"size zero", 1, {}, std::nullopt},
        {"odd size", 1, oddSize, std::nullopt},
        {"no terminating zero", 1, Utf16Le(L"true", false), std::nullopt},
        {"high byte of the last unit set", 1, {'a', 0, 0, 1}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringFromRegistryValue(c.type, c.data.data(), c.data.size()), c.text) << c.name;
}
