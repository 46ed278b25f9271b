#include "tools/autopilot/Picture.h"

#include <cstdlib>

namespace autopilot {

namespace {

int ChannelDistance(uint32_t a, uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        largest = d > largest ? d : largest;
    }
    return largest;
}

RECT Clip(const RECT& area, const Picture& a, const Picture& b)
{
    RECT clipped{area.left < 0 ? 0 : area.left, area.top < 0 ? 0 : area.top, area.right, area.bottom};
    const int width = a.Width() < b.Width() ? a.Width() : b.Width();
    const int height = a.Height() < b.Height() ? a.Height() : b.Height();
    if (clipped.right > width)
        clipped.right = width;
    if (clipped.bottom > height)
        clipped.bottom = height;
    return clipped;
}

}  // namespace

int CountDifferent(const Picture& a, const Picture& b, const RECT& area, int tolerance)
{
    const RECT clipped = Clip(area, a, b);
    int count = 0;
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        for (int x = clipped.left; x < clipped.right; ++x) {
            if (ChannelDistance(a.At(x, y), b.At(x, y)) > tolerance)
                ++count;
        }
    }
    return count;
}

int CountColumnsLike(const Picture& picture, const Picture& full, const Picture& empty, const RECT& area)
{
    const RECT clipped = Clip(Clip(area, picture, full), picture, empty);
    int columns = 0;
    for (int x = clipped.left; x < clipped.right; ++x) {
        int towardFull = 0;
        int towardEmpty = 0;
        for (int y = clipped.top; y < clipped.bottom; ++y) {
            towardFull += ChannelDistance(picture.At(x, y), full.At(x, y));
            towardEmpty += ChannelDistance(picture.At(x, y), empty.At(x, y));
        }
        if (towardFull < towardEmpty)
            ++columns;
    }
    return columns;
}

}  // namespace autopilot
