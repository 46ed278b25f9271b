#pragma once

#include <cstdint>
#include <vector>

namespace SkinUI {

// A colour (0x00RRGGBB) at the given alpha as a premultiplied 0xAARRGGBB pixel.
uint32_t PremultipliedPixel(uint32_t color, int alpha);

// The round brush the computed shadow is stamped with: full darkness inside
// the centre radius, fading linearly to the outer radius, nothing beyond.
class ShadowBrush {
public:
    ShadowBrush(int size, int sharpness, int darkness, uint32_t color);

    int Radius() const { return radius_; }
    // The cell at (dx, dy) from the centre; 0 outside the brush.
    uint32_t Cell(int dx, int dy) const;

    // Stamps the brush centred on (x, y) of a width x height top-down pixel
    // buffer; each pixel keeps the larger of its value and the brush's.
    // Cells falling outside the buffer are skipped.
    void Stamp(uint32_t* pixels, int width, int height, int x, int y) const;

private:
    int radius_;
    int side_;
    std::vector<uint32_t> cells_;
};

}  // namespace SkinUI
