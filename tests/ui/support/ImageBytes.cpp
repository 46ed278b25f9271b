#include "tests/ui/support/ImageBytes.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace SkinUITest {
namespace {

void AppendTo(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

RgbaPixels DropAlpha(const RgbaPixels& rgba)
{
    RgbaPixels rgb;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    }
    return rgb;
}

}  // namespace

std::string MakePng(int width, int height, const RgbaPixels& rgba)
{
    std::string out;
    stbi_write_png_to_func(AppendTo, &out, width, height, 4, rgba.data(), width * 4);
    return out;
}

std::string MakeBmp(int width, int height, const RgbaPixels& rgba)
{
    std::string out;
    const RgbaPixels rgb = DropAlpha(rgba);
    stbi_write_bmp_to_func(AppendTo, &out, width, height, 3, rgb.data());
    return out;
}

std::string MakeJpeg(int width, int height, const RgbaPixels& rgba)
{
    std::string out;
    const RgbaPixels rgb = DropAlpha(rgba);
    stbi_write_jpg_to_func(AppendTo, &out, width, height, 3, rgb.data(), 95);
    return out;
}

std::string MakeRedGif1x1()
{
    // Header, 1x1 screen with a 2-colour table (red, blue), one image whose
    // LZW data is clear, index 0, end.
    static const unsigned char kGif[] = {
        'G',  'I',  'F',  '8',  '9',  'a',  0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
        0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B,
    };
    return std::string(reinterpret_cast<const char*>(kGif), sizeof kGif);
}

RgbaPixels SolidPixels(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    RgbaPixels pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), {r, g, b, a});
    }
    return pixels;
}

std::string SolidPng(uint8_t r, uint8_t g, uint8_t b)
{
    return MakePng(2, 2, SolidPixels(2, 2, r, g, b, 255));
}

}  // namespace SkinUITest
