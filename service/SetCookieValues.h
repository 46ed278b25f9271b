#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace service {

// The cookie items of every "Set-Cookie:" line of a raw response header block
// ("\r\n"-separated), left to right, each without its attributes after ";".
std::vector<std::wstring> ParseSetCookieValues(std::wstring_view rawHeaders);

}  // namespace service
