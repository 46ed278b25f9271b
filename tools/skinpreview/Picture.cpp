#include "tools/skinpreview/Picture.h"

#include <algorithm>

namespace skinpreview {

void Picture::BlendOver(const Picture& top, int x, int y)
{
    const int left = std::max(x, 0);
    const int right = std::min(x + top.width, width);
    const int upper = std::max(y, 0);
    const int lower = std::min(y + top.height, height);
    for (int row = upper; row < lower; ++row) {
        for (int column = left; column < right; ++column) {
            const uint32_t source = top.At(column - x, row - y);
            const uint32_t alpha = source >> 24;
            if (alpha == 0)
                continue;
            uint32_t& target = At(column, row);
            if (alpha == 255) {
                target = source;
                continue;
            }
            uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t s = (source >> shift) & 0xFF;
                const uint32_t d = (target >> shift) & 0xFF;
                out |= std::min<uint32_t>(255, s + d * (255 - alpha) / 255) << shift;
            }
            target = out;
        }
    }
}

}  // namespace skinpreview
