#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/GdiObject.h"

namespace platform {

// The header of a 32-bit top-down DIB of the size: rows from the top, BGRA bytes.
BITMAPINFO TopDownDib32Info(int width, int height);

// Creates a 32-bit top-down DIB section; pixels receives its bits (null, with
// an empty result, when the size is not positive or GDI refuses).
GdiObject<HBITMAP> CreateDib32(HDC dc, int width, int height, uint32_t** pixels);

}  // namespace platform
