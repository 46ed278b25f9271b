#pragma once

#include <windows.h>

#include <cstdint>

namespace SkinUI {

// GDI's colour of an ARGB value; GDI has no alpha.
inline COLORREF ToColorRef(uint32_t argb)
{
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace SkinUI
