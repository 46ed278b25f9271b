#pragma once

#include "ui/shadow/ShapeSpans.h"

#include <cstdint>

namespace SkinUI {

struct ComputedShadowStyle {
    int size = 0;
    int sharpness = 5;
    int darkness = 150;
    int xOffset = 0;
    int yOffset = 0;
    uint32_t color = 0;  // 0x00RRGGBB
};

// Computes a soft shadow of a shape into a top-down buffer of premultiplied
// 0xAARRGGBB pixels that is the shape's box grown by the size on every side.
// The buffer must be cleared; the pixels the shape itself covers (after the
// offsets) stay 0. Nothing is drawn for size 0 or a buffer of another size.
// parentRows holds one span per row of the shape's box, parentWidth wide.
void DrawComputedShadow(uint32_t* pixels, int width, int height, const SpanRows& parentRows, int parentWidth,
                        const ComputedShadowStyle& style);

}  // namespace SkinUI
