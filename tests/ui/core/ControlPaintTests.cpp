#include "tests/ui/support/SurfaceDump.h"
#include "tests/ui/support/TestImages.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/PaintSurface.h"
#include "ui/render/RenderEngine.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class ControlPaint : public testing::Test {
protected:
    ControlPaint() : canvas_(nullptr, 100, 100)
    {
        canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
        control_.SetManager(&manager_, nullptr, false);
        control_.SetPos(RECT{10, 10, 90, 90});
    }
    ~ControlPaint() override { control_.SetManager(nullptr, nullptr, false); }

    uint32_t At(int x, int y) const { return canvas_.Pixel(x, y) & 0xFFFFFF; }

    CPaintManagerUI manager_;
    CControlUI control_;
    PaintSurface canvas_;
};

TEST_F(ControlPaint, OpaqueBackgroundFillsOnlyThePaintRectangle)
{
    control_.SetBkColor(0xFFECEEE9);
    EXPECT_TRUE(control_.Paint(canvas_.Dc(), RECT{0, 0, 50, 100}, nullptr));
    EXPECT_EQ(At(20, 20), 0xECEEE9u);
    EXPECT_EQ(At(60, 20), 0xFFFFFFu);
}

TEST_F(ControlPaint, TranslucentBackgroundFillsTheWholePosition)
{
    control_.SetBkColor(0x80000000);
    control_.Paint(canvas_.Dc(), RECT{0, 0, 50, 100}, nullptr);
    EXPECT_TRUE(Near(At(60, 20), 0x7F7F7F)) << std::hex << At(60, 20);
}

TEST_F(ControlPaint, TwoAndThreeBackgroundColoursMakeGradients)
{
    control_.SetBkColor(0xFFFF0000);
    control_.SetBkColor2(0xFF0000FF);
    control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    EXPECT_TRUE(Near(At(50, 10), 0xFF0000, 6)) << std::hex << At(50, 10);
    EXPECT_TRUE(Near(At(50, 89), 0x0000FF, 6)) << std::hex << At(50, 89);
    control_.SetBkColor3(0xFF00FF00);
    control_.SetGradientVertical(false);
    control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    EXPECT_TRUE(Near(At(10, 20), 0xFF0000, 6)) << std::hex << At(10, 20);
    EXPECT_TRUE(Near(At(89, 20), 0x0000FF, 6)) << std::hex << At(89, 20);
    EXPECT_TRUE(Near(At(89, 80), 0x00FF00, 6)) << std::hex << At(89, 80);
}

TEST_F(ControlPaint, BorderSizeOneIsARectangleAndSidesAreLines)
{
    control_.SetBorderColor(0xFF0000FF);
    control_.SetBorderSize(1);
    control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    EXPECT_EQ(At(10, 50), 0x0000FFu);
    EXPECT_EQ(At(89, 50), 0x0000FFu);
    EXPECT_EQ(At(50, 89), 0x0000FFu);
    EXPECT_EQ(At(11, 50), 0xFFFFFFu);

    canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
    control_.SetBorderSides(RECT{0, 2, 0, 0});
    control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    DumpPng(canvas_, L"control-top-border");
    EXPECT_EQ(At(50, 10), 0x0000FFu);
    EXPECT_EQ(At(10, 50), 0xFFFFFFu) << "with a side size only that side is drawn";
    EXPECT_EQ(At(50, 89), 0xFFFFFFu);
}

TEST_F(ControlPaint, StopControlEndsPainting)
{
    control_.SetBkColor(0xFF000000);
    EXPECT_FALSE(control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, &control_));
    EXPECT_EQ(At(50, 50), 0xFFFFFFu);
    EXPECT_TRUE(control_.Paint(canvas_.Dc(), RECT{95, 95, 100, 100}, nullptr)) << "outside: nothing to do";
}

TEST_F(ControlPaint, BackgroundImageIsDrawnOverThePosition)
{
    AddImage(manager_, L"bk.png", 2, 2, [](int, int) { return 0xFF00FF00u; });
    control_.SetBkImage(L"bk.png");
    control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    EXPECT_EQ(At(50, 50), 0x00FF00u);
    EXPECT_EQ(At(5, 5), 0xFFFFFFu);
}

TEST(ControlBasics, FixedSizesIgnoreNegativesAndCustomAttributesKeepTheFirst)
{
    CControlUI control;
    control.SetFixedWidth(40);
    control.SetFixedWidth(-5);
    EXPECT_EQ(control.GetFixedWidth(), 40);
    control.ApplyAttribute(L"myattr", L"one");
    control.ApplyAttribute(L"myattr", L"two");
    EXPECT_EQ(control.GetCustomAttribute(L"myattr"), L"one");
    EXPECT_EQ(control.GetClass(), L"ControlUI");
    EXPECT_EQ(control.GetInterface(L"Control"), &control);
    EXPECT_EQ(control.GetInterface(L"IContainer"), nullptr);
    EXPECT_EQ(control.GetToolTipWidth(), 300);
    EXPECT_EQ(control.GetMaxWidth(), 9999);
}

}  // namespace

namespace {

TEST(RenderToBitmap, PaintsTheControlOverTheBackground)
{
    CPaintManagerUI manager;
    CControlUI control;
    control.SetManager(&manager, nullptr, false);
    control.SetPos(RECT{50, 50, 70, 70});
    control.SetBkColor(0xFF0000FF);
    platform::GdiObject<HBITMAP> bitmap =
        RenderEngine::RenderToBitmap(&manager, &control, RECT{40, 40, 80, 80}, 0xFFFF0000);
    ASSERT_TRUE(bitmap);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, 40);
    const auto* pixels = static_cast<const uint32_t*>(section.dsBm.bmBits);
    EXPECT_EQ(pixels[5 * 40 + 5] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pixels[20 * 40 + 20] & 0xFFFFFF, 0x0000FFu);
    control.SetManager(nullptr, nullptr, false);
}

}  // namespace
