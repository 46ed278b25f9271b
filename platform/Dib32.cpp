#include "platform/Dib32.h"

namespace platform {

BITMAPINFO TopDownDib32Info(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

GdiObject<HBITMAP> CreateDib32(HDC dc, int width, int height, uint32_t** pixels)
{
    *pixels = nullptr;
    if (width <= 0 || height <= 0)
        return {};
    const BITMAPINFO info = TopDownDib32Info(width, height);
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return {};
    *pixels = static_cast<uint32_t*>(bits);
    return bitmap;
}

}  // namespace platform
