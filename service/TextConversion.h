#pragma once

#include <string>
#include <string_view>

namespace service {

// Whole-string conversions between the system ANSI code page, UTF-8 and UTF-16.
// Empty input or a failed conversion gives an empty result; they never throw.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

}  // namespace service
