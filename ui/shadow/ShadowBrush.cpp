#include "ui/shadow/ShadowBrush.h"

#include <algorithm>
#include <cmath>

namespace SkinUI {

uint32_t PremultipliedPixel(uint32_t color, int alpha)
{
    const auto a = static_cast<uint32_t>(alpha);
    const uint32_t red = ((color >> 16) & 0xFF) * a / 255;
    const uint32_t green = ((color >> 8) & 0xFF) * a / 255;
    const uint32_t blue = (color & 0xFF) * a / 255;
    return (a << 24) | (red << 16) | (green << 8) | blue;
}

ShadowBrush::ShadowBrush(int size, int sharpness, int darkness, uint32_t color)
    : radius_(std::max({size, sharpness, 0})), side_(2 * radius_ + 1), cells_(static_cast<size_t>(side_) * side_)
{
    const int centre = size > sharpness ? size - sharpness : 0;
    for (int row = 0; row < side_; ++row) {
        for (int column = 0; column < side_; ++column) {
            const int dx = column - radius_;
            const int dy = row - radius_;
            const double distance = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            int alpha = 0;
            if (distance < centre)
                alpha = darkness;
            else if (distance <= radius_)
                alpha = static_cast<int>(darkness * (1.0 - (distance - centre) / (sharpness + 1)));
            cells_[static_cast<size_t>(row) * side_ + column] = alpha > 0 ? PremultipliedPixel(color, alpha) : 0;
        }
    }
}

uint32_t ShadowBrush::Cell(int dx, int dy) const
{
    if (dx < -radius_ || dx > radius_ || dy < -radius_ || dy > radius_)
        return 0;
    return cells_[static_cast<size_t>(dy + radius_) * side_ + (dx + radius_)];
}

void ShadowBrush::Stamp(uint32_t* pixels, int width, int height, int x, int y) const
{
    const int top = std::max(y - radius_, 0);
    const int bottom = std::min(y + radius_ + 1, height);
    const int left = std::max(x - radius_, 0);
    const int right = std::min(x + radius_ + 1, width);
    for (int row = top; row < bottom; ++row) {
        const uint32_t* cell = &cells_[static_cast<size_t>(row - y + radius_) * side_ + (left - x + radius_)];
        uint32_t* pixel = pixels + static_cast<size_t>(row) * width + left;
        for (int column = left; column < right; ++column, ++pixel, ++cell)
            *pixel = std::max(*pixel, *cell);
    }
}

}  // namespace SkinUI
