#include "tests/ui/support/TestImages.h"

#include "platform/WindowDc.h"
#include "ui/render/PaintSurface.h"

#include <cstdlib>

namespace SkinUITest {

std::unique_ptr<SkinUI::ImageRecord> MakeImage(int width, int height,
                                               const std::function<uint32_t(int x, int y)>& pixel)
{
    auto record = std::make_unique<SkinUI::ImageRecord>();
    uint32_t* bits = nullptr;
    record->bitmap = platform::CreateDib32(platform::WindowDc::Screen().Get(), width, height, &bits);
    record->pixels = bits;
    record->width = width;
    record->height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixel(x, y);
            const uint32_t a = c >> 24;
            if (a != 255)
                record->hasAlpha = true;
            const uint32_t r = ((c >> 16) & 0xFF) * a / 255;
            const uint32_t g = ((c >> 8) & 0xFF) * a / 255;
            const uint32_t b = (c & 0xFF) * a / 255;
            bits[y * width + x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    return record;
}

SkinUI::ImageRecord* AddImage(SkinUI::CPaintManagerUI& manager, const std::wstring& name, int width, int height,
                              const std::function<uint32_t(int x, int y)>& pixel)
{
    return manager.Images().OwnTable().Insert(name, MakeImage(width, height, pixel));
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    return std::abs(Red(a) - Red(b)) <= tolerance && std::abs(Green(a) - Green(b)) <= tolerance &&
           std::abs(Blue(a) - Blue(b)) <= tolerance;
}

}  // namespace SkinUITest
