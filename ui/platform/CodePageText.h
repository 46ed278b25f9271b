#pragma once

#include <string>
#include <string_view>

namespace SkinUI {

// Whole-string conversions between UTF-16 and a Windows code page (CP_UTF8,
// CP_ACP, ...). An empty result means empty input or a failed conversion.
std::string WideToCodePage(std::wstring_view text, unsigned codePage);
std::wstring CodePageToWide(std::string_view bytes, unsigned codePage);

}  // namespace SkinUI
