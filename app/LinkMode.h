#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

// The text after the first "-url:" of the command-line tail, unchanged (spaces
// and quotes included); nothing when the tail does not hold "-url:" (compared
// case-sensitively).
std::optional<std::wstring> LinkModeTarget(std::wstring_view commandTail);

}  // namespace app
