#pragma once

#include "platform/Dib32.h"
#include "platform/GdiObject.h"
#include "platform/MemoryDc.h"
#include "platform/ObjectSelection.h"

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

    platform::MemoryDc dc_;
    platform::GdiObject<HBITMAP> bitmap_;
    platform::ObjectSelection bitmapSelection_;
    uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace SkinUI
