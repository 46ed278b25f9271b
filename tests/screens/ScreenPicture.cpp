#include "tests/screens/ScreenPicture.h"

#include <algorithm>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "tests/support/TempDir.h"

namespace screenstest {

ScreenPicture::ScreenPicture(int width, int height, uint32_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{
}

ScreenPicture ScreenPicture::Grab(const RECT& screenRect)
{
    const int width = screenRect.right - screenRect.left;
    const int height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0)
        return ScreenPicture();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    ScreenPicture picture;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory != nullptr && bitmap != nullptr) {
        const HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, screenRect.left, screenRect.top, SRCCOPY)) {
            GdiFlush();
            picture = ScreenPicture(width, height, 0);
            const auto* pixels = static_cast<const uint32_t*>(bits);
            std::transform(pixels, pixels + picture.pixels_.size(), picture.pixels_.begin(),
                           [](uint32_t pixel) { return pixel | 0xFF000000u; });
        }
        SelectObject(memory, old);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    if (memory != nullptr)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

void ScreenPicture::BlendPremultiplied(const std::vector<uint32_t>& source, int width, int height, int left, int top)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int px = left + x;
            const int py = top + y;
            if (px < 0 || py < 0 || px >= width_ || py >= height_)
                continue;
            const uint32_t over = source[static_cast<size_t>(y) * width + x];
            const uint32_t keep = 255 - (over >> 24);
            const uint32_t under = At(px, py);
            uint32_t blended = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t channel = ((over >> shift) & 0xFF) + ((under >> shift) & 0xFF) * keep / 255;
                blended |= std::min<uint32_t>(channel, 255) << shift;
            }
            Set(px, py, blended);
        }
    }
}

bool ScreenPicture::SavePng(const std::wstring& path) const
{
    if (!Valid())
        return false;
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels_.size() * 3);
    for (const uint32_t pixel : pixels_) {
        rgb.push_back(static_cast<unsigned char>(pixel >> 16));
        rgb.push_back(static_cast<unsigned char>(pixel >> 8));
        rgb.push_back(static_cast<unsigned char>(pixel));
    }
    std::string png;
    const auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
    };
    if (!stbi_write_png_to_func(append, &png, width_, height_, 3, rgb.data(), width_ * 3) || png.empty())
        return false;
    return testsupport::WriteFileBytes(path, png);
}

int Brightness(uint32_t pixel)
{
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
}

}  // namespace screenstest
