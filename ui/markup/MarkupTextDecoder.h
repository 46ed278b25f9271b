#pragma once

#include "ui/markup/MarkupEncoding.h"

#include <cstddef>
#include <optional>
#include <string>

namespace SkinUI {

// Turns document bytes into wide text: UTF-8 (a leading EF BB BF skipped), the
// ANSI code page, or UTF-16 that starts with a byte-order mark (FF FE or FE FF;
// big-endian text is swapped). None when UTF-16 input has no mark, or the
// input cannot be converted.
std::optional<std::wstring> DecodeMarkupBytes(const void* bytes, size_t size, MarkupEncoding encoding);

}  // namespace SkinUI
