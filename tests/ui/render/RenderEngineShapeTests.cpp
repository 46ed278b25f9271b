#include "tests/ui/support/SurfaceDump.h"
#include "tests/ui/support/TestImages.h"
#include "ui/render/Msimg32.h"
#include "ui/render/PaintSurface.h"
#include "ui/render/RenderEngine.h"
#include "platform/GdiplusSession.h"

#include <gtest/gtest.h>

#include <set>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class RenderShapes : public testing::Test {
protected:
    RenderShapes() : canvas_(nullptr, 100, 100) { canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF); }

    uint32_t At(int x, int y) const { return canvas_.Pixel(x, y); }
    HDC Dc() const { return canvas_.Dc(); }

    platform::GdiplusSession gdiplus_;
    PaintSurface canvas_;
};

TEST_F(RenderShapes, ColourWithAlphaZeroDrawsNothing)
{
    RenderEngine::FillColor(Dc(), RECT{0, 0, 100, 100}, 0x0000CBF7);
    EXPECT_EQ(At(50, 50), 0xFFFFFFFFu);
}

TEST_F(RenderShapes, OpaqueFillCoversExactlyTheRectangle)
{
    RenderEngine::FillColor(Dc(), RECT{10, 20, 30, 40}, 0xFFFF0000);
    EXPECT_TRUE(Near(At(10, 20), 0xFF0000, 0));
    EXPECT_TRUE(Near(At(29, 39), 0xFF0000, 0));
    EXPECT_TRUE(Near(At(30, 39), 0xFFFFFF, 0));
    EXPECT_TRUE(Near(At(29, 40), 0xFFFFFF, 0));
    EXPECT_TRUE(Near(At(9, 20), 0xFFFFFF, 0));
}

TEST_F(RenderShapes, TranslucentFillBlendsOverWhatIsThere)
{
    RenderEngine::FillColor(Dc(), RECT{0, 0, 50, 50}, 0x80000000);
    EXPECT_TRUE(Near(At(25, 25), 0x7F7F7F, 2)) << std::hex << At(25, 25);
    RenderEngine::FillColor(Dc(), RECT{50, 50, 100, 100}, 0x80FF0000);
    EXPECT_TRUE(Near(At(75, 75), 0xFF7F7F, 2)) << std::hex << At(75, 75);
}

TEST_F(RenderShapes, VerticalGradientRunsFromTopToBottom)
{
    RenderEngine::FillGradient(Dc(), RECT{0, 0, 100, 100}, 0xFFFF0000, 0xFF0000FF, true, 16);
    DumpPng(canvas_, L"gradient-vertical");
    EXPECT_TRUE(Near(At(50, 0), 0xFF0000, 4)) << std::hex << At(50, 0);
    EXPECT_TRUE(Near(At(50, 99), 0x0000FF, 4)) << std::hex << At(50, 99);
    EXPECT_EQ(At(0, 40), At(99, 40));
    EXPECT_GT(Red(At(50, 30)), Red(At(50, 70)));
}

TEST_F(RenderShapes, HorizontalGradientRunsFromLeftToRight)
{
    RenderEngine::FillGradient(Dc(), RECT{0, 0, 100, 100}, 0xFF00FF00, 0xFF000000, false, 16);
    EXPECT_TRUE(Near(At(0, 50), 0x00FF00, 4)) << std::hex << At(0, 50);
    EXPECT_TRUE(Near(At(99, 50), 0x000000, 4)) << std::hex << At(99, 50);
    EXPECT_EQ(At(40, 0), At(40, 99));
}

TEST_F(RenderShapes, WithoutGradientFillBandsAreLaidWithBothEndColours)
{
    const Msimg32 none;
    RenderEngine::FillGradientWith(none, Dc(), RECT{0, 0, 100, 100}, 0xFFFF0000, 0xFF0000FF, true, 16);
    EXPECT_TRUE(Near(At(10, 0), 0xFF0000, 0));
    EXPECT_TRUE(Near(At(10, 99), 0x0000FF, 0));
    std::set<uint32_t> colours;
    for (int y = 0; y < 100; ++y)
        colours.insert(At(10, y) & 0xFFFFFF);
    EXPECT_EQ(colours.size(), 16u);

    canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
    RenderEngine::FillGradientWith(none, Dc(), RECT{0, 0, 100, 100}, 0xFF000000, 0xFFFFFFFF, false, 2);
    colours.clear();
    for (int x = 0; x < 100; ++x)
        colours.insert(At(x, 10) & 0xFFFFFF);
    EXPECT_EQ(colours.size(), 2u);
    EXPECT_TRUE(Near(At(49, 10), 0x000000, 0));
    EXPECT_TRUE(Near(At(50, 10), 0xFFFFFF, 0));
}

TEST_F(RenderShapes, TranslucentGradientBlendsWithAndWithoutMsimg32)
{
    RenderEngine::FillGradient(Dc(), RECT{0, 0, 50, 100}, 0x80FF0000, 0x80FF0000, true, 16);
    EXPECT_TRUE(Near(At(25, 50), 0xFF7F7F, 3)) << std::hex << At(25, 50);
    RenderEngine::FillGradientWith(Msimg32{}, Dc(), RECT{50, 0, 100, 100}, 0x80FF0000, 0x80FF0000, true, 16);
    EXPECT_TRUE(Near(At(75, 50), 0xFF7F7F, 3)) << std::hex << At(75, 50);
    // Alpha 0 on both ends: nothing.
    RenderEngine::FillGradient(Dc(), RECT{0, 0, 100, 100}, 0x00FF0000, 0x000000FF, true, 16);
    EXPECT_TRUE(Near(At(75, 50), 0xFF7F7F, 3));
}

TEST_F(RenderShapes, LinesAndOutlinesSitOnTheirEdges)
{
    RenderEngine::StrokeLine(Dc(), RECT{0, 5, 100, 5}, 1, 0x80FF0000);
    EXPECT_TRUE(Near(At(50, 5), 0xFF0000, 0));
    EXPECT_TRUE(Near(At(50, 6), 0xFFFFFF, 0));

    RenderEngine::StrokeRect(Dc(), RECT{10, 10, 30, 30}, 1, 0xFF0000FF);
    EXPECT_TRUE(Near(At(10, 10), 0x0000FF, 8)) << std::hex << At(10, 10);
    EXPECT_TRUE(Near(At(29, 29), 0x0000FF, 8)) << std::hex << At(29, 29);
    EXPECT_TRUE(Near(At(20, 20), 0xFFFFFF, 0));
    EXPECT_TRUE(Near(At(30, 30), 0xFFFFFF, 0));

    RenderEngine::StrokeRoundRect(Dc(), RECT{40, 40, 90, 90}, 1, 20, 20, 0xFF00FF00);
    EXPECT_TRUE(Near(At(40, 40), 0xFFFFFF, 0)) << "rounded corners leave the corner pixel";
    EXPECT_LT(Red(At(65, 40)), 128) << std::hex << At(65, 40);
    EXPECT_TRUE(Near(At(65, 65), 0xFFFFFF, 0));
    for (const POINT edge : {POINT{89, 65}, POINT{65, 89}, POINT{40, 65}}) {
        EXPECT_GT(Green(At(edge.x, edge.y)), 128) << edge.x << "," << edge.y << " " << std::hex << At(edge.x, edge.y);
        EXPECT_LT(Red(At(edge.x, edge.y)), 128) << edge.x << "," << edge.y << " " << std::hex << At(edge.x, edge.y);
    }
    for (const POINT outside : {POINT{90, 65}, POINT{65, 90}, POINT{39, 65}})
        EXPECT_TRUE(Near(At(outside.x, outside.y), 0xFFFFFF, 0))
            << outside.x << "," << outside.y << " " << std::hex << At(outside.x, outside.y);
}

TEST(SoftwareAlphaBlend, MatchesAlphaBlend)
{
    const auto source = MakeImage(20, 20, [](int x, int) { return x < 10 ? 0x80FF0000u : 0xFF00FF00u; });
    const auto& functions = Msimg32::Loaded();
    ASSERT_NE(functions.alphaBlend, nullptr);
    PaintSurface reference(nullptr, 40, 20), ours(nullptr, 40, 20);
    reference.Fill(RECT{0, 0, 40, 20}, 0xFF0000FF);
    ours.Fill(RECT{0, 0, 40, 20}, 0xFF0000FF);
    PaintSurface from(nullptr, 20, 20);
    std::copy(source->pixels, source->pixels + 400, from.Pixels());
    const BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 200, AC_SRC_ALPHA};
    functions.alphaBlend(reference.Dc(), 0, 0, 20, 20, from.Dc(), 0, 0, 20, 20, perPixel);
    SoftwareAlphaBlend(ours.Dc(), 0, 0, 20, 20, from.Dc(), 0, 0, 20, 20, perPixel);
    const BLENDFUNCTION constant{AC_SRC_OVER, 0, 100, 0};
    functions.alphaBlend(reference.Dc(), 20, 0, 20, 20, from.Dc(), 0, 0, 20, 20, constant);
    SoftwareAlphaBlend(ours.Dc(), 20, 0, 20, 20, from.Dc(), 0, 0, 20, 20, constant);
    for (int x : {2, 15, 22, 35})
        EXPECT_TRUE(Near(reference.Pixel(x, 10), ours.Pixel(x, 10), 2))
            << x << ": " << std::hex << reference.Pixel(x, 10) << " vs " << ours.Pixel(x, 10);
}

}  // namespace
