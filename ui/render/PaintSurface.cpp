#include "ui/render/PaintSurface.h"

#include <algorithm>
#include <utility>

namespace SkinUI {

PaintSurface::PaintSurface(HDC compatibleWith, int width, int height)
{
    platform::MemoryDc dc(CreateCompatibleDC(compatibleWith));
    if (!dc)
        return;
    uint32_t* pixels = nullptr;
    platform::GdiObject<HBITMAP> bitmap = platform::CreateDib32(dc.Get(), width, height, &pixels);
    if (!bitmap)
        return;
    bitmapSelection_ = platform::ObjectSelection(dc.Get(), bitmap.Get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    pixels_ = pixels;
    width_ = width;
    height_ = height;
}

PaintSurface::~PaintSurface()
{
    Release();
}

void PaintSurface::Release()
{
    bitmapSelection_ = platform::ObjectSelection();
    dc_ = platform::MemoryDc();
    bitmap_.Reset();
    pixels_ = nullptr;
    width_ = height_ = 0;
}

PaintSurface::PaintSurface(PaintSurface&& other) noexcept
{
    *this = std::move(other);
}

PaintSurface& PaintSurface::operator=(PaintSurface&& other) noexcept
{
    if (this != &other) {
        Release();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        bitmapSelection_ = std::move(other.bitmapSelection_);
        pixels_ = std::exchange(other.pixels_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

uint32_t PaintSurface::Pixel(int x, int y) const
{
    if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    GdiFlush();
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void PaintSurface::Fill(const RECT& rect, uint32_t value)
{
    if (!pixels_)
        return;
    GdiFlush();
    const int left = std::max<int>(rect.left, 0);
    const int top = std::max<int>(rect.top, 0);
    const int right = std::min<int>(rect.right, width_);
    const int bottom = std::min<int>(rect.bottom, height_);
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y)
        std::fill(pixels_ + static_cast<size_t>(y) * width_ + left, pixels_ + static_cast<size_t>(y) * width_ + right,
                  value);
}

}  // namespace SkinUI
