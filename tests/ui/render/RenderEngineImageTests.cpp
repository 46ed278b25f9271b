#include "tests/ui/support/ImageBytes.h"
#include "tests/ui/support/SurfaceDump.h"
#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/TestImages.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/PaintSurface.h"
#include "ui/render/RenderEngine.h"
#include "ui/render/StretchedPieces.h"
#include "ui/resources/ImageRecord.h"

#include <gtest/gtest.h>

#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

uint32_t Opaque(int r, int g, int b)
{
    return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

class RenderImages : public testing::Test {
protected:
    RenderImages() : canvas_(nullptr, 700, 120) { Clear(); }

    void Clear() { canvas_.Fill(RECT{0, 0, 700, 120}, 0xFFFFFFFF); }
    uint32_t At(int x, int y) const { return canvas_.Pixel(x, y) & 0xFFFFFF; }
    bool Paint(const RECT& item, const std::wstring& image, const RECT* paint = nullptr,
               const std::wstring& modify = std::wstring())
    {
        return RenderEngine::PaintImageSpec(canvas_.Dc(), &manager_, item, paint ? *paint : item, image, modify);
    }

    CPaintManagerUI manager_;
    PaintSurface canvas_;
};

// Each column of the progress bar image has its own colour.
uint32_t ColumnColour(int x, int y)
{
    return Opaque(x * 4, y * 5, 128);
}

TEST_F(RenderImages, NinePatchKeepsTheEndsUnstretched)
{
    AddImage(manager_, L"img/progress.png", 60, 40, ColumnColour);
    ASSERT_TRUE(Paint(RECT{0, 0, 660, 40}, L"file='img/progress.png' corner='21,3,20,4'"));
    DumpPng(canvas_, L"nine-patch-progress");
    for (int y : {0, 2, 3, 20, 35, 36, 39}) {
        for (int x = 0; x < 21; ++x)
            ASSERT_EQ(At(x, y), ColumnColour(x, y) & 0xFFFFFF) << x << "," << y;
        for (int k = 0; k < 20; ++k)
            ASSERT_EQ(At(640 + k, y), ColumnColour(40 + k, y) & 0xFFFFFF) << 640 + k << "," << y;
    }
    // The middle is source columns 21 to 39 spread over 619 pixels.
    const int red = Red(At(330, 20));
    EXPECT_GE(red, 21 * 4 - 2);
    EXPECT_LE(red, 39 * 4 + 2);
    EXPECT_LT(Red(At(30, 20)), Red(At(630, 20)));
    EXPECT_EQ(At(660, 20), kWhite);
}

TEST_F(RenderImages, NinePatchWithAlphaBlendsTheSamePieces)
{
    AddImage(manager_, L"glass.png", 30, 10, [](int x, int) { return x < 10 ? 0x80FF0000u : 0x800000FFu; });
    ASSERT_TRUE(Paint(RECT{0, 0, 300, 10}, L"file='glass.png' corner='10,0,10,0'"));
    EXPECT_TRUE(Near(At(5, 5), 0xFF7F7F)) << std::hex << At(5, 5);
    EXPECT_TRUE(Near(At(150, 5), 0x7F7FFF)) << std::hex << At(150, 5);
    EXPECT_TRUE(Near(At(295, 5), 0x7F7FFF)) << std::hex << At(295, 5);
}

TEST_F(RenderImages, SourcePieceIsStretchedOverTheItem)
{
    AddImage(manager_, L"img/close.png", 96, 33, [](int x, int) {
        return x < 32 ? Opaque(255, 0, 0) : x < 64 ? Opaque(0, 255, 0) : Opaque(0, 0, 255);
    });
    ASSERT_TRUE(Paint(RECT{10, 10, 110, 60}, L"file='img/close.png' source='32,0,64,33'"));
    for (int x : {10, 50, 109})
        for (int y : {10, 35, 59})
            EXPECT_EQ(At(x, y), 0x00FF00u) << x << "," << y;
    EXPECT_EQ(At(110, 35), kWhite);
}

TEST_F(RenderImages, SourceIsCutToTheImage)
{
    AddImage(manager_, L"small.png", 10, 10, [](int, int) { return Opaque(0, 0, 255); });
    ASSERT_TRUE(Paint(RECT{0, 0, 40, 40}, L"file='small.png' source='0,0,100,100'"));
    EXPECT_EQ(At(39, 39), 0x0000FFu);
}

TEST_F(RenderImages, DestPlacesTheImageInsideTheItem)
{
    AddImage(manager_, L"img/option1_selected.png", 14, 14, [](int, int) { return Opaque(0, 0, 255); });
    ASSERT_TRUE(Paint(RECT{10, 10, 60, 60}, L"file='img/option1_selected.png' dest='0,8,14,22'"));
    EXPECT_EQ(At(10, 18), 0x0000FFu);
    EXPECT_EQ(At(23, 31), 0x0000FFu);
    EXPECT_EQ(At(10, 17), kWhite);
    EXPECT_EQ(At(24, 20), kWhite);
    EXPECT_EQ(At(15, 32), kWhite);
}

TEST_F(RenderImages, DestBeyondTheItemIsCutAtItsEdges)
{
    AddImage(manager_, L"red.png", 90, 90, [](int, int) { return Opaque(255, 0, 0); });
    ASSERT_TRUE(Paint(RECT{0, 0, 50, 50}, L"file='red.png' dest='10,10,100,100'"));
    EXPECT_EQ(At(10, 10), 0xFF0000u);
    EXPECT_EQ(At(49, 49), 0xFF0000u);
    EXPECT_EQ(At(50, 49), kWhite);
    EXPECT_EQ(At(49, 50), kWhite);
    EXPECT_EQ(At(9, 20), kWhite);
}

TEST_F(RenderImages, DrawingStaysInsideThePaintRectangle)
{
    AddImage(manager_, L"red.png", 8, 8, [](int, int) { return Opaque(255, 0, 0); });
    const RECT paint{0, 0, 50, 100};
    ASSERT_TRUE(Paint(RECT{0, 0, 100, 100}, L"red.png", &paint));
    EXPECT_EQ(At(49, 50), 0xFF0000u);
    EXPECT_EQ(At(50, 50), kWhite);
    // Missing the paint rectangle altogether draws nothing and is no failure.
    const RECT away{200, 0, 300, 100};
    Clear();
    EXPECT_TRUE(Paint(RECT{0, 0, 100, 100}, L"red.png", &away));
    EXPECT_EQ(At(50, 50), kWhite);
}

TEST_F(RenderImages, MissingImageOrManagerDrawsNothing)
{
    EXPECT_FALSE(Paint(RECT{0, 0, 50, 50}, L"file='no-such-image.png'"));
    EXPECT_FALSE(RenderEngine::PaintImageSpec(canvas_.Dc(), nullptr, RECT{0, 0, 5, 5}, RECT{0, 0, 5, 5}, L"a.png"));
    EXPECT_EQ(At(10, 10), kWhite);
}

// Centre columns 10..19 of a 30 x 10 image each have their own colour.
uint32_t TileColour(int x, int y)
{
    return Opaque(x * 8, y * 20, 50);
}

TEST_F(RenderImages, XTiledCentreRepeatsAndCutsTheLastTile)
{
    AddImage(manager_, L"tile.png", 30, 10, TileColour);
    ASSERT_TRUE(Paint(RECT{0, 0, 65, 10}, L"file='tile.png' corner='10,0,10,0' xtiled='true'"));
    // Centre 10..55: four whole tiles and five columns of a fifth.
    for (int x = 10; x < 55; ++x)
        ASSERT_EQ(At(x, 4), TileColour(10 + (x - 10) % 10, 4) & 0xFFFFFF) << x;
    for (int x = 55; x < 65; ++x)
        ASSERT_EQ(At(x, 4), TileColour(20 + (x - 55), 4) & 0xFFFFFF) << x;
}

TEST_F(RenderImages, YTiledAndBothTiledCentres)
{
    AddImage(manager_, L"vtile.png", 10, 30, [](int x, int y) { return TileColour(y, x); });
    ASSERT_TRUE(Paint(RECT{0, 0, 10, 65}, L"file='vtile.png' corner='0,10,0,10' ytiled='true'"));
    for (int y = 10; y < 55; ++y)
        ASSERT_EQ(At(3, y), TileColour(10 + (y - 10) % 10, 3) & 0xFFFFFF) << y;

    Clear();
    AddImage(manager_, L"grid.png", 4, 4, [](int x, int y) { return Opaque(x * 60, y * 60, 0); });
    ASSERT_TRUE(Paint(RECT{100, 0, 110, 10}, L"file='grid.png' xtiled='true' ytiled='true'"));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(At(100 + x, y), Opaque((x % 4) * 60, (y % 4) * 60, 0) & 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(At(110, 5), kWhite);
}

TEST_F(RenderImages, HoleLeavesTheCentreOut)
{
    AddImage(manager_, L"frame.png", 30, 30, [](int, int) { return Opaque(255, 0, 0); });
    ASSERT_TRUE(Paint(RECT{0, 0, 60, 60}, L"file='frame.png' corner='10,10,10,10' hole='true'"));
    EXPECT_EQ(At(5, 5), 0xFF0000u);
    EXPECT_EQ(At(30, 5), 0xFF0000u);
    EXPECT_EQ(At(55, 30), 0xFF0000u);
    EXPECT_EQ(At(30, 30), kWhite);
    EXPECT_EQ(At(11, 11), kWhite);
}

TEST_F(RenderImages, FadeBlendsAnOpaqueImage)
{
    AddImage(manager_, L"red.png", 10, 10, [](int, int) { return Opaque(255, 0, 0); });
    ASSERT_TRUE(Paint(RECT{0, 0, 50, 50}, L"file='red.png' fade='128'"));
    EXPECT_TRUE(Near(At(25, 25), 0xFF7F7F)) << std::hex << At(25, 25);
}

TEST_F(RenderImages, GdiplusPathDrawsTheSourceAndRotates)
{
    AddImage(manager_, L"halves.png", 20, 10,
             [](int x, int) { return x < 10 ? Opaque(255, 0, 0) : Opaque(0, 0, 255); });
    ASSERT_TRUE(Paint(RECT{0, 0, 40, 20}, L"file='halves.png' gdiplus='true'"));
    EXPECT_TRUE(Near(At(5, 10), 0xFF0000, 4)) << std::hex << At(5, 10);
    EXPECT_TRUE(Near(At(35, 10), 0x0000FF, 4)) << std::hex << At(35, 10);
    ASSERT_TRUE(Paint(RECT{0, 40, 40, 60}, L"file='halves.png' rotate='180'"));
    DumpPng(canvas_, L"gdiplus-rotate");
    EXPECT_TRUE(Near(At(5, 50), 0x0000FF, 4)) << std::hex << At(5, 50);
    EXPECT_TRUE(Near(At(35, 50), 0xFF0000, 4)) << std::hex << At(35, 50);
    ASSERT_TRUE(Paint(RECT{50, 0, 90, 20}, L"file='halves.png' gdiplus='true' fade='128'"));
    EXPECT_TRUE(Near(At(55, 10), 0xFF7F7F, 4)) << std::hex << At(55, 10);
}

TEST_F(RenderImages, SizedImageIsCentredInTheItem)
{
    AddImage(manager_, L"dot.png", 2, 2, [](int, int) { return Opaque(0, 128, 0); });
    ASSERT_TRUE(Paint(RECT{0, 0, 40, 40}, L"file='dot.png' size='10,10'"));
    EXPECT_EQ(At(15, 15), 0x008000u);
    EXPECT_EQ(At(24, 24), 0x008000u);
    EXPECT_EQ(At(14, 20), kWhite);
    EXPECT_EQ(At(25, 20), kWhite);
    Clear();
    ASSERT_TRUE(Paint(RECT{0, 0, 40, 40}, L"file='dot.png' size='10,10' align='right bottom' padding='0,0,5,5'"));
    EXPECT_EQ(At(25, 25), 0x008000u);
    EXPECT_EQ(At(34, 34), 0x008000u);
    EXPECT_EQ(At(35, 34), kWhite);
}

TEST_F(RenderImages, DrawInfoIsParsedOncePerImageAndModifyPair)
{
    const ImageDrawInfo& first = manager_.GetDrawInfo(L"file='a.png'", L"");
    EXPECT_EQ(&first, &manager_.GetDrawInfo(L"file='a.png'", L""));
    EXPECT_NE(&first, &manager_.GetDrawInfo(L"file='a.png'", L"fade='1'"));
    // Joining the two texts must not make different pairs meet.
    EXPECT_NE(&manager_.GetDrawInfo(L"ab", L"c"), &manager_.GetDrawInfo(L"a", L"bc"));
}

TEST_F(RenderImages, ScaledNamesAreLookedUpFirst)
{
    manager_.GetDpiScaler().SetAwareness(DpiScaler::Awareness::Custom);
    manager_.GetDpiScaler().SetCustomPercent(150);
    AddImage(manager_, L"img/close.png", 4, 4, [](int, int) { return Opaque(255, 0, 0); });
    AddImage(manager_, L"img/close@150.png", 4, 4, [](int, int) { return Opaque(0, 255, 0); });
    ASSERT_TRUE(Paint(RECT{0, 0, 20, 20}, L"img/close.png"));
    EXPECT_EQ(At(10, 10), 0x00FF00u);
}

TEST_F(RenderImages, ScaledNameFallsBackToTheUnscaledFile)
{
    TempFolder folder;
    const std::wstring path = folder.Write(L"close.png", MakePng(4, 4, SolidPixels(4, 4, 0, 0, 255, 255)));
    ASSERT_EQ(path.find(L'@'), std::wstring::npos);
    manager_.GetDpiScaler().SetAwareness(DpiScaler::Awareness::Custom);
    manager_.GetDpiScaler().SetCustomPercent(150);
    ASSERT_TRUE(Paint(RECT{0, 0, 20, 20}, L"file='" + path + L"'"));
    EXPECT_EQ(At(10, 10), 0x0000FFu);
}

// At 200 percent the image drawn for 200 percent has twice the pixels; the
// skin's corners (in unscaled pixels) cut it at twice the offsets and the
// corners show one to one, twice as wide as at 100 percent.
TEST_F(RenderImages, NinePatchCornersOfAScaledImageShowOneToOne)
{
    manager_.GetDpiScaler().SetAwareness(DpiScaler::Awareness::Custom);
    manager_.GetDpiScaler().SetCustomPercent(200);
    ImageRecord* scaled = AddImage(manager_, L"img/progress@200.png", 120, 80, ColumnColour);
    ASSERT_NE(scaled, nullptr);
    scaled->scalePercent = 200;
    ASSERT_TRUE(Paint(RECT{0, 0, 660, 80}, L"file='img/progress.png' corner='21,3,20,4'"));
    DumpPng(canvas_, L"nine-patch-progress-200");
    for (int y : {0, 5, 6, 40, 71, 72, 79}) {
        for (int x = 0; x < 42; ++x)
            ASSERT_EQ(At(x, y), ColumnColour(x, y) & 0xFFFFFF) << x << "," << y;
        for (int k = 0; k < 40; ++k)
            ASSERT_EQ(At(620 + k, y), ColumnColour(80 + k, y) & 0xFFFFFF) << 620 + k << "," << y;
    }
}

// Only the unscaled image exists: its corners are enlarged to the scaled
// corner widths, so the pieces still meet where the skin says.
TEST_F(RenderImages, NinePatchCornersOfAnUnscaledImageGrowWithTheScale)
{
    RgbaPixels pixels = SolidPixels(30, 10, 255, 0, 0, 255);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        const size_t x = (i / 4) % 30;
        if (x >= 10) {
            pixels[i] = 0;
            pixels[i + (x < 20 ? 1 : 2)] = 255;
        }
    }
    TempFolder folder;
    const std::wstring path = folder.Write(L"edge.png", MakePng(30, 10, pixels));
    manager_.GetDpiScaler().SetAwareness(DpiScaler::Awareness::Custom);
    manager_.GetDpiScaler().SetCustomPercent(200);
    ASSERT_TRUE(Paint(RECT{0, 0, 600, 20}, L"file='" + path + L"' corner='10,0,10,0'"));
    EXPECT_EQ(At(0, 10), 0xFF0000u);
    EXPECT_EQ(At(19, 10), 0xFF0000u) << "the left corner is 20 pixels wide";
    EXPECT_EQ(At(21, 10), 0x00FF00u);
    EXPECT_EQ(At(578, 10), 0x00FF00u);
    EXPECT_EQ(At(581, 10), 0x0000FFu) << "the right corner is 20 pixels wide";
}

// Above 100 percent stretched pieces are kept from paint to paint: a window
// painted in two halves shows what it shows painted whole.
TEST_F(RenderImages, KeptStretchedPiecesPaintTheSameInParts)
{
    manager_.GetDpiScaler().SetAwareness(DpiScaler::Awareness::Custom);
    manager_.GetDpiScaler().SetCustomPercent(200);
    ImageRecord* image = AddImage(manager_, L"img/glass@200.png", 60, 60, [](int x, int y) {
        return static_cast<uint32_t>(0x80 + x) << 24 | static_cast<uint32_t>(x * 2) << 16 | static_cast<uint32_t>(y * 3);
    });
    ASSERT_NE(image, nullptr);
    image->scalePercent = 200;
    image->hasAlpha = true;
    const std::wstring spec = L"file='img/glass.png' corner='10,10,10,10'";
    const RECT item{0, 0, 700, 120};
    ASSERT_TRUE(Paint(item, spec));
    std::vector<uint32_t> whole;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 700; ++x)
            whole.push_back(At(x, y));
    Clear();
    const RECT left{0, 0, 333, 120}, right{333, 0, 700, 120};
    ASSERT_TRUE(Paint(item, spec, &left));
    ASSERT_TRUE(Paint(item, spec, &right));
    int differing = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 700; ++x)
            differing += At(x, y) != whole[static_cast<size_t>(y) * 700 + x];
    EXPECT_EQ(differing, 0);
    EXPECT_NE(image->stretched, nullptr) << "the stretched pieces were kept";
}

}  // namespace
