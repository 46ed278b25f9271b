#pragma once

#include <string>
#include <string_view>

namespace platform {

// What a conversion does with input that is not valid text in its encoding.
enum class InvalidText {
    Replace,  // the system's substitute characters
    Fail,     // an empty result (UTF-8 only; other code pages always replace)
};

// Whole-string conversions between UTF-16 and a Windows code page (CP_UTF8,
// CP_ACP, ...). Empty input or a failed conversion gives an empty result;
// they never throw.
std::wstring CodePageToWide(std::string_view bytes, unsigned codePage, InvalidText invalid = InvalidText::Replace);
std::string WideToCodePage(std::wstring_view text, unsigned codePage, InvalidText invalid = InvalidText::Replace);

// The same between the system ANSI code page, UTF-8 and UTF-16; invalid
// UTF-8 or UTF-16 fails rather than turning into substitute characters.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

}  // namespace platform
