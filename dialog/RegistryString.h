#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The text a settings read yields from a value's raw type code (1 string, 2 expandable string, neither
// expanded) and its UTF-16LE bytes. Nothing when the value is no well-formed string of at most 259
// characters: another type, no data, an odd size, more than 520 bytes, or no terminating zero.
// Otherwise the text up to its first zero.
std::optional<std::wstring> StringFromRegistryValue(uint32_t type, const uint8_t* data, size_t size);
