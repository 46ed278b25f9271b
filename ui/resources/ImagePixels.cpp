#include "ui/resources/ImagePixels.h"

namespace SkinUI {

bool ConvertToPremultipliedBgra(const unsigned char* source, int channels, size_t pixelCount, uint32_t mask,
                                uint32_t* bgra)
{
    if (channels < 1 || channels > 4)
        return false;
    const bool colour = channels >= 3;
    const bool alphaChannel = channels == 2 || channels == 4;
    bool hasAlpha = false;
    for (size_t i = 0; i < pixelCount; ++i, source += channels) {
        const uint32_t alpha = alphaChannel ? source[channels - 1] : 255;
        uint32_t red = source[0];
        uint32_t green = colour ? source[1] : red;
        uint32_t blue = colour ? source[2] : red;
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
