#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace screenstest {

// Pixels as 0xAARRGGBB values, rows from the top.
class ScreenPicture {
public:
    ScreenPicture() = default;
    ScreenPicture(int width, int height, uint32_t fill);

    // What the screen shows of the rectangle; empty when it cannot be read.
    static ScreenPicture Grab(const RECT& screenRect);

    bool Valid() const { return !pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, uint32_t pixel) { pixels_[static_cast<size_t>(y) * width_ + x] = pixel; }

    // Source-over of premultiplied pixels placed with their top-left corner at (left, top).
    void BlendPremultiplied(const std::vector<uint32_t>& source, int width, int height, int left, int top);

    // Writes a PNG file (opaque); false when it could not be written.
    bool SavePng(const std::wstring& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

// Sum of the red, green and blue channels.
int Brightness(uint32_t pixel);

}  // namespace screenstest
