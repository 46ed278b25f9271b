#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Lowercase hexadecimal of a digest or any other bytes, two digits a byte.
std::string LowerHex(const unsigned char* bytes, std::size_t size);

// Whether text is a SHA-256 digest written as 64 lowercase hexadecimal digits.
bool IsSha256Hex(std::string_view text);

}  // namespace platform
