#include "dialog/RegistryString.h"

namespace {

constexpr uint32_t kStringType = 1;
constexpr uint32_t kExpandableStringType = 2;
constexpr size_t kMaxBytes = 260 * 2;  // 259 characters and the terminating zero

}  // namespace

std::optional<std::wstring> StringFromRegistryValue(uint32_t type, const uint8_t* data, size_t size) {
    if (type != kStringType && type != kExpandableStringType) return std::nullopt;
    if (data == nullptr || size == 0 || size % 2 != 0 || size > kMaxBytes) return std::nullopt;
    if (data[size - 2] != 0 || data[size - 1] != 0) return std::nullopt;

    std::wstring text;
    for (size_t i = 0; i < size; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0') break;
        text += unit;
    }
    return text;
}
