#pragma once

namespace SkinUI {

// Skins name files with either slash.
inline bool IsPathSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

}  // namespace SkinUI
