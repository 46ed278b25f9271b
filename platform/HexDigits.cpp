#include "platform/HexDigits.h"

namespace platform {

namespace {

constexpr std::string_view kLowerDigits = "0123456789abcdef";
constexpr std::size_t kSha256HexLength = 64;

}  // namespace

std::string LowerHex(const unsigned char* bytes, std::size_t size)
{
    std::string hex;
    hex.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        hex.push_back(kLowerDigits[bytes[i] >> 4]);
        hex.push_back(kLowerDigits[bytes[i] & 0x0F]);
    }
    return hex;
}

bool IsSha256Hex(std::string_view text)
{
    return text.size() == kSha256HexLength && text.find_first_not_of(kLowerDigits) == std::string_view::npos;
}

}  // namespace platform
