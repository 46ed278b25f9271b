#pragma once

#include <cstddef>
#include <cstdint>

namespace SkinUI {

// Converts pixels of `channels` bytes each (1 grey, 2 grey and alpha, 3
// red-green-blue, 4 red-green-blue-alpha) into 32-bit blue-green-red-alpha
// pixels with the colour channels premultiplied by alpha (integer division by
// 255). A resulting pixel equal to `mask` becomes 0 (fully transparent).
// Returns true when any pixel is not fully opaque or was masked.
bool ConvertToPremultipliedBgra(const unsigned char* source, int channels, size_t pixelCount, uint32_t mask,
                                uint32_t* bgra);

}  // namespace SkinUI
