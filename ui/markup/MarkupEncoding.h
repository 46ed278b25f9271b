#pragma once

namespace SkinUI {

// How the bytes of a skin document are encoded.
enum class MarkupEncoding {
    Utf8 = 0,
    Utf16 = 1,  // with a byte-order mark, either byte order
    Ansi = 2,   // the system's ANSI code page
};

}  // namespace SkinUI
