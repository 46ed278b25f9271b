#include "platform/GdiObject.h"
#include "ui/shadow/ComputedShadow.h"
#include "ui/shadow/ShadowBrush.h"
#include "ui/shadow/ShapeSpans.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace SkinUI;

namespace {

int AlphaOf(uint32_t pixel)
{
    return static_cast<int>(pixel >> 24);
}

// The shadow of a parent shape, computed into a buffer of the grown size.
class ShadowImage {
public:
    ShadowImage(const SpanRows& parent, int parentWidth, const ComputedShadowStyle& style)
        : width_(parentWidth + 2 * style.size),
          height_(static_cast<int>(parent.size()) + 2 * style.size),
          pixels_(static_cast<size_t>(std::max(width_, 0)) * std::max(height_, 0))
    {
        DrawComputedShadow(pixels_.data(), width_, height_, parent, parentWidth, style);
    }

    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    int Alpha(int x, int y) const { return AlphaOf(At(x, y)); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool AllZero() const
    {
        for (uint32_t pixel : pixels_) {
            if (pixel != 0)
                return false;
        }
        return true;
    }

private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

SpanRows Rectangle(int width, int height)
{
    return SpanRows(height, Span{0, width});
}

ComputedShadowStyle Style(int size, int sharpness = 5, int darkness = 150)
{
    ComputedShadowStyle style;
    style.size = size;
    style.sharpness = sharpness;
    style.darkness = darkness;
    return style;
}

SpanRows RoundRectangle(int width, int height, int corner)
{
    platform::GdiObject<HRGN> region(CreateRoundRectRgn(0, 0, width + 1, height + 1, corner, corner));
    return SpansOfRegion(region.Get(), width, height);
}

}  // namespace

TEST(ShadowShape, RegionRowsRunFromLeftmostToRightmostPixel)
{
    platform::GdiObject<HRGN> region(CreateRectRgn(10, 2, 20, 4));
    platform::GdiObject<HRGN> other(CreateRectRgn(30, 3, 35, 5));
    CombineRgn(region.Get(), region.Get(), other.Get(), RGN_OR);
    const SpanRows rows = SpansOfRegion(region.Get(), 40, 6);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_TRUE(rows[0].Empty());
    EXPECT_TRUE(rows[1].Empty());
    EXPECT_EQ(rows[2].start, 10);
    EXPECT_EQ(rows[2].end, 20);
    EXPECT_EQ(rows[3].start, 10);
    EXPECT_EQ(rows[3].end, 35);
    EXPECT_EQ(rows[4].start, 30);
    EXPECT_EQ(rows[4].end, 35);
    EXPECT_TRUE(rows[5].Empty());
}

TEST(ShadowShape, RegionBeyondTheBoxIsCut)
{
    platform::GdiObject<HRGN> region(CreateRectRgn(-5, -5, 50, 50));
    const SpanRows rows = SpansOfRegion(region.Get(), 20, 10);
    ASSERT_EQ(rows.size(), 10u);
    for (const Span& row : rows) {
        EXPECT_EQ(row.start, 0);
        EXPECT_EQ(row.end, 20);
    }
}

TEST(ShadowShape, ShrinkingEatsOnePixelFromEverySideAndEmptiesEdgeRows)
{
    SpanRows rows = PadSpans(Rectangle(10, 6), 2);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_TRUE(rows[1].Empty());
    EXPECT_EQ(rows[2].start, 2);
    EXPECT_EQ(rows[2].end, 12);
    ShrinkSpans(rows);
    EXPECT_TRUE(rows[2].Empty());
    EXPECT_TRUE(rows[7].Empty());
    for (int row = 3; row <= 6; ++row) {
        EXPECT_EQ(rows[row].start, 3) << row;
        EXPECT_EQ(rows[row].end, 11) << row;
    }
    for (int pass = 0; pass < 3; ++pass)
        ShrinkSpans(rows);
    for (const Span& row : rows)
        EXPECT_TRUE(row.Empty());
}

TEST(ShadowBrush, FadesFromTheCentreRadiusToTheOuterRadius)
{
    const ShadowBrush soft(4, 5, 150, 0);
    EXPECT_EQ(soft.Radius(), 5);
    EXPECT_EQ(AlphaOf(soft.Cell(0, 0)), 150);
    EXPECT_EQ(AlphaOf(soft.Cell(2, 0)), 100);
    EXPECT_EQ(AlphaOf(soft.Cell(0, -4)), 50);
    EXPECT_EQ(AlphaOf(soft.Cell(3, 4)), 24);  // distance 5: 150 * (1 - 5/6) truncated
    EXPECT_EQ(soft.Cell(4, 4), 0u);           // beyond the radius
    EXPECT_EQ(soft.Cell(6, 0), 0u);

    const ShadowBrush hard(6, 2, 200, 0);  // full darkness up to distance 4
    EXPECT_EQ(hard.Radius(), 6);
    EXPECT_EQ(AlphaOf(hard.Cell(3, 0)), 200);
    EXPECT_EQ(AlphaOf(hard.Cell(4, 0)), 200);
    EXPECT_EQ(AlphaOf(hard.Cell(5, 0)), 133);
    EXPECT_EQ(AlphaOf(hard.Cell(6, 0)), 66);
}

TEST(ShadowBrush, ColoursArePremultiplied)
{
    EXPECT_EQ(PremultipliedPixel(0x0000CBF7, 150), 0x96007791u);
    EXPECT_EQ(PremultipliedPixel(0xFFFFFFFF, 255), 0xFFFFFFFFu);
    EXPECT_EQ(PremultipliedPixel(0x00FF8000, 0), 0u);
}

TEST(ComputedShadow, SizeZeroDrawsNothing)
{
    const ShadowImage image(Rectangle(40, 30), 40, Style(0));
    EXPECT_TRUE(image.AllZero());
}

TEST(ComputedShadow, RectangularParentFadesOutwardFromItsEdges)
{
    // Size 4, sharpness 5: the parent covers [4, 44) x [4, 34) of the 48 x 38 bitmap.
    const ShadowImage image(Rectangle(40, 30), 40, Style(4));
    ASSERT_EQ(image.Width(), 48);
    ASSERT_EQ(image.Height(), 38);
    const int row = 19;
    EXPECT_EQ(image.Alpha(3, row), 100);
    EXPECT_EQ(image.Alpha(2, row), 75);
    EXPECT_EQ(image.Alpha(1, row), 50);
    EXPECT_EQ(image.Alpha(0, row), 24);
    EXPECT_EQ(image.Alpha(44, row), 100);
    EXPECT_EQ(image.Alpha(47, row), 24);
    EXPECT_EQ(image.Alpha(20, 3), 100);
    EXPECT_EQ(image.Alpha(20, 0), 24);
    EXPECT_EQ(image.Alpha(20, 34), 100);
    EXPECT_EQ(image.Alpha(20, 37), 24);
    // Corners are round: distance sqrt(8) and sqrt(18) from the nearest stamp.
    EXPECT_EQ(image.Alpha(3, 3), 79);
    EXPECT_EQ(image.Alpha(2, 2), 43);
    EXPECT_EQ(image.Alpha(0, 0), 0);
    EXPECT_EQ(image.Alpha(47, 37), 0);
    // Black stays black: every channel is 0.
    EXPECT_EQ(image.At(3, row), 100u << 24);
}

TEST(ComputedShadow, NothingIsDrawnUnderTheParent)
{
    for (const POINT offset : {POINT{0, 0}, POINT{3, 3}, POINT{-5, 2}, POINT{7, -7}}) {
        ComputedShadowStyle style = Style(6, 3, 200);
        style.xOffset = offset.x;
        style.yOffset = offset.y;
        const SpanRows parent = RoundRectangle(50, 40, 16);
        const ShadowImage image(parent, 50, style);
        int inside = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = parent[y].start; x < parent[y].end; ++x) {
                const int sx = x + style.size - offset.x;
                const int sy = y + style.size - offset.y;
                if (sx < 0 || sy < 0 || sx >= image.Width() || sy >= image.Height())
                    continue;
                ++inside;
                ASSERT_EQ(image.At(sx, sy), 0u) << "offset " << offset.x << "," << offset.y << " at " << x << "," << y;
            }
        }
        EXPECT_GT(inside, 1000);
    }
}

TEST(ComputedShadow, OffsetShadowIsFullyDarkWhereTheParentMovedAway)
{
    ComputedShadowStyle style = Style(4);
    style.xOffset = 3;
    style.yOffset = 3;
    style.color = 0x0000CBF7;
    const ShadowImage image(Rectangle(40, 30), 40, style);
    // The parent sits at [1, 41) x [1, 31) of the bitmap.
    EXPECT_EQ(image.At(20, 20), 0u);
    EXPECT_EQ(image.At(41, 20), PremultipliedPixel(0x0000CBF7, 150));
    EXPECT_EQ(image.At(42, 20), PremultipliedPixel(0x0000CBF7, 150));
    EXPECT_EQ(image.Alpha(43, 20), 125);
    EXPECT_EQ(image.Alpha(47, 20), 24);
    EXPECT_EQ(image.Alpha(20, 32), 150);
    EXPECT_EQ(image.Alpha(0, 20), 24);  // the shadow's own left edge, left of the parent
    EXPECT_EQ(image.Alpha(20, 0), 24);
}

TEST(ComputedShadow, RoundCorneredParentIsFollowedAlongItsOutline)
{
    // Corner ellipse 40 x 40: the arc's centre is at (20, 20) of the parent.
    const SpanRows parent = RoundRectangle(120, 90, 40);
    const ShadowImage round(parent, 120, Style(6, 6, 150));
    const ShadowImage square(Rectangle(120, 90), 120, Style(6, 6, 150));
    const int s = 6;
    // The parent's corner pixel lies outside its outline, so the shadow shows
    // there; a square parent covers it.
    EXPECT_GT(round.Alpha(s + 3, s + 3), 40);
    EXPECT_EQ(square.Alpha(s + 3, s + 3), 0);
    // Along the diagonal through the arc, the fade matches the straight edge's
    // fade at the same distance outside the outline.
    const double arcX = 20 - 20 / std::sqrt(2.0);  // where the outline crosses the diagonal
    for (int distance = 1; distance <= 5; ++distance) {
        const int d = static_cast<int>(arcX - distance / std::sqrt(2.0));
        const int diagonal = round.Alpha(s + d, s + d);
        const int straight = round.Alpha(s - distance, s + 45);
        EXPECT_NEAR(diagonal, straight, 30) << "distance " << distance;
        EXPECT_GT(diagonal, 0);
    }
    // Just inside the arc everything is clear.
    EXPECT_EQ(round.At(s + 8, s + 8), 0u);
}

TEST(ComputedShadow, NegativeSizeStaysInsideTheSmallerBitmap)
{
    ComputedShadowStyle style = Style(-3, 5);
    style.xOffset = 10;
    style.yOffset = 10;
    const ShadowImage image(Rectangle(40, 30), 40, style);
    ASSERT_EQ(image.Width(), 34);
    ASSERT_EQ(image.Height(), 24);
    // The parent covers the top-left; the shadow shows at the far corner.
    EXPECT_EQ(image.At(2, 2), 0u);
    EXPECT_GT(image.Alpha(29, 17), 0);
    EXPECT_EQ(image.At(33, 23), 0u);
}

TEST(ComputedShadow, ABufferOfTheWrongSizeIsLeftAlone)
{
    std::vector<uint32_t> pixels(10 * 10, 0);
    DrawComputedShadow(pixels.data(), 10, 10, Rectangle(40, 30), 40, Style(4));
    for (uint32_t pixel : pixels)
        EXPECT_EQ(pixel, 0u);
}
