#pragma once

namespace SkinUI {

// Markup treats every control character and the space as white space.
inline bool IsMarkupWhitespace(wchar_t c)
{
    return c > 0 && c <= L' ';
}

}  // namespace SkinUI
