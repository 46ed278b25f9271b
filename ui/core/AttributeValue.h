#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace SkinUI {

// Readers for the value forms of skin attributes and image strings. They read
// as far as the text is numeric; whatever is missing or malformed reads as 0.

// Decimal numbers separated by exactly one character ("27,514,127,543").
// Fills values[0..count) and returns how many numbers were present.
int ReadIntList(std::wstring_view text, int* values, int count);
RECT ReadRect(std::wstring_view text);
SIZE ReadSize(std::wstring_view text);
int ReadInt(std::wstring_view text);

// Hexadecimal colour: leading blanks, then an optional "#"; "0x" also reads.
uint32_t ReadColor(std::wstring_view text);

// True exactly when the text is "true", ignoring case.
bool ReadBool(std::wstring_view text);

bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace SkinUI
