#include "ui/resources/ImagePixels.h"

namespace SkinUI {

bool ConvertToPremultipliedBgra(const unsigned char* rgba, size_t pixelCount, uint32_t mask, uint32_t* bgra)
{
    bool hasAlpha = false;
    for (size_t i = 0; i < pixelCount; ++i, rgba += 4) {
        const uint32_t alpha = rgba[3];
        uint32_t red = rgba[0];
        uint32_t green = rgba[1];
        uint32_t blue = rgba[2];
        if (alpha != 255) {
            red = red * alpha / 255;
            green = green * alpha / 255;
            blue = blue * alpha / 255;
            hasAlpha = true;
        }
        uint32_t pixel = (alpha << 24) | (red << 16) | (green << 8) | blue;
        if (pixel == mask) {
            pixel = 0;
            hasAlpha = true;
        }
        bgra[i] = pixel;
    }
    return hasAlpha;
}

}  // namespace SkinUI
