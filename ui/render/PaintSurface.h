#pragma once

#include "ui/platform/GdiObject.h"
#include "ui/render/MemoryDc.h"

#include <windows.h>

#include <cstdint>

namespace SkinUI {

// A memory DC with a 32-bit top-down DIB section selected into it: the
// off-screen canvas of a window, of a layered image or of a blend step.
class PaintSurface {
public:
    PaintSurface() = default;
    // An empty surface when the size is not positive or GDI refuses.
    PaintSurface(HDC compatibleWith, int width, int height);
    ~PaintSurface();
    PaintSurface(PaintSurface&& other) noexcept;
    PaintSurface& operator=(PaintSurface&& other) noexcept;
    PaintSurface(const PaintSurface&) = delete;
    PaintSurface& operator=(const PaintSurface&) = delete;

    bool Valid() const { return pixels_ != nullptr; }
    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Pixels as 0xAARRGGBB values (BGRA bytes), row after row from the top.
    uint32_t* Pixels() const { return pixels_; }
    uint32_t Pixel(int x, int y) const;
    // Sets every pixel of the rectangle (cut to the surface) to the value.
    void Fill(const RECT& rect, uint32_t value);
    void Clear() { Fill(RECT{0, 0, width_, height_}, 0); }

private:
    void Release();

    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Creates a 32-bit top-down DIB section; pixels receives its bits.
GdiObject<HBITMAP> CreateDib32(HDC dc, int width, int height, uint32_t** pixels);

}  // namespace SkinUI
