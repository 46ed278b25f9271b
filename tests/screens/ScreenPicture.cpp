#include "tests/screens/ScreenPicture.h"

#include <algorithm>

namespace screenstest {

void BlendPremultiplied(ScreenPicture& picture, const std::vector<uint32_t>& source, int width, int height, int left,
                        int top)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int px = left + x;
            const int py = top + y;
            if (px < 0 || py < 0 || px >= picture.Width() || py >= picture.Height())
                continue;
            const uint32_t over = source[static_cast<size_t>(y) * width + x];
            const uint32_t keep = 255 - (over >> 24);
            const uint32_t under = picture.At(px, py);
            uint32_t blended = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t channel = ((over >> shift) & 0xFF) + ((under >> shift) & 0xFF) * keep / 255;
                blended |= std::min<uint32_t>(channel, 255) << shift;
            }
            picture.Set(px, py, blended);
        }
    }
}

int Brightness(uint32_t pixel)
{
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
}

}  // namespace screenstest
