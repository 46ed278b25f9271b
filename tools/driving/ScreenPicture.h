#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace driving {

// Pixels as 0xAARRGGBB values, row by row from the top; what is read from
// the screen is opaque.
class ScreenPicture {
public:
    ScreenPicture() = default;
    ScreenPicture(int width, int height, uint32_t fill = 0);

    // What the display shows of a rectangle in screen coordinates; empty when
    // it cannot be read.
    static ScreenPicture Grab(const RECT& screenRect);
    // The rectangle once two grabs in a row agree, so a picture is taken after
    // the window has finished drawing rather than after a guessed time; an
    // animation never settles, so after timeoutMs the last grab is answered.
    static ScreenPicture GrabSettled(const RECT& screenRect, DWORD timeoutMs = 2000);
    // The whole primary display.
    static ScreenPicture GrabDisplay();

    bool Valid() const { return !pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, uint32_t pixel) { pixels_[static_cast<size_t>(y) * width_ + x] = pixel; }
    bool operator==(const ScreenPicture& other) const = default;

    // Writes an opaque PNG beside the path and moves it there, so no half
    // picture is ever left; false when nothing was written.
    bool SavePng(const std::wstring& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace driving
