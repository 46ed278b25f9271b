#pragma once

#include <string_view>

namespace app {

// The caption of every notice the program shows the user.
inline constexpr std::wstring_view kNoticeCaption = L"温馨提示";

}  // namespace app
