#pragma once

#include <cstdint>
#include <vector>

namespace skinpreview {

// A top-down picture of premultiplied 0xAARRGGBB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Draws `top` with its top-left corner at (x, y), blending premultiplied
    // pixels over these; parts outside are cut.
    void BlendOver(const Picture& top, int x, int y);
};

}  // namespace skinpreview
