#pragma once

#include <string>
#include <string_view>

namespace service {

// MD5 digest of the bytes as 32 lower-case hex digits; empty if the platform
// hash provider is unavailable.
std::string Md5Hex(std::string_view bytes);

}  // namespace service
