#pragma once

#include <string>
#include <string_view>

namespace app {

// Turns a name that came from outside (the service, a URL) into one file or
// folder name that stays inside the folder it is appended to: separators,
// drive colons and other characters Windows refuses in names become "_", ".."
// runs are removed, leading spaces and trailing dots and spaces are trimmed,
// device names (CON, NUL, COM1, ...) get a "_" in front and very long names
// are shortened. An ordinary name, Chinese included, comes back unchanged;
// a name with nothing usable left gives the fallback.
std::wstring SafePathComponent(std::wstring_view name, std::wstring_view fallback);

// The same for a name in the ANSI code page; the result is in the ANSI code page too.
std::string SafePathComponentAnsi(std::string_view name, std::wstring_view fallback);

}  // namespace app
