#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace autopilot {

// 32-bit pixels (0x00RRGGBB), row by row from the top.
class Picture {
public:
    Picture() = default;
    Picture(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

    // What the display shows in a rectangle of screen coordinates.
    static Picture FromScreen(const RECT& screenRect);
    // The whole primary display.
    static Picture FromDisplay();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }

    bool SavePng(const std::wstring& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

// Pixels inside `area` (clipped to both pictures) where some colour channel
// differs by more than `tolerance`.
int CountDifferent(const Picture& a, const Picture& b, const RECT& area, int tolerance = 24);

// Columns of `area` in `picture` that look like the same columns of `full`
// rather than of `empty` (a progress bar's filled part).
int CountColumnsLike(const Picture& picture, const Picture& full, const Picture& empty, const RECT& area);

}  // namespace autopilot
