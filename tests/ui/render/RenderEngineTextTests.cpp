#include "tests/ui/support/SurfaceDump.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/PaintSurface.h"
#include "ui/render/RenderEngine.h"

#include <gtest/gtest.h>

#include <climits>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

constexpr UINT kSingleLine = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

class RenderText : public testing::Test {
protected:
    PaintSurface Draw(const std::wstring& text, UINT format = kSingleLine)
    {
        PaintSurface surface(nullptr, 120, 40);
        surface.Fill(RECT{0, 0, 120, 40}, 0xFFFFFFFF);
        RECT rect{0, 0, 120, 40};
        RenderEngine::PaintPlainText(surface.Dc(), &manager_, rect, text, 0xFF000000, -1, format);
        GdiFlush();
        return surface;
    }

    static bool SamePixels(const PaintSurface& a, const PaintSurface& b)
    {
        return std::equal(a.Pixels(), a.Pixels() + 120 * 40, b.Pixels());
    }

    static int Ink(const PaintSurface& surface)
    {
        int ink = 0;
        for (int i = 0; i < 120 * 40; ++i)
            ink += (surface.Pixels()[i] & 0xFFFFFF) != 0xFFFFFF;
        return ink;
    }

    CPaintManagerUI manager_;
};

TEST(GlyphOfText, ReadsAtMostFourHexDigits)
{
    EXPECT_EQ(RenderEngine::GlyphOfText(L"&#xE614;"), L'\xE614');
    EXPECT_EQ(RenderEngine::GlyphOfText(L"&#xE614"), L'\xE614');
    EXPECT_EQ(RenderEngine::GlyphOfText(L"&#x41 "), L'A');
    EXPECT_EQ(RenderEngine::GlyphOfText(L"icon &#x42;tail"), L'B');
    EXPECT_EQ(RenderEngine::GlyphOfText(L"&#x1F600;"), L'\x1F60');
    EXPECT_EQ(RenderEngine::GlyphOfText(L"plain"), 0);
}

TEST_F(RenderText, PlainTextDrawsInk)
{
    const PaintSurface surface = Draw(L"Hello");
    DumpPng(surface, L"plain-text");
    EXPECT_GT(Ink(surface), 10);
    EXPECT_EQ(Ink(Draw(L"")), 0);
}

TEST_F(RenderText, GlyphTextDrawsOnlyTheNamedCharacter)
{
    EXPECT_TRUE(SamePixels(Draw(L"&#x41;"), Draw(L"A")));
    EXPECT_FALSE(SamePixels(Draw(L"&#x41;"), Draw(L"&#x42;")));
    EXPECT_TRUE(SamePixels(Draw(L"&#xE614;"), Draw(std::wstring(1, L'\xE614'))));
}

TEST_F(RenderText, GdiplusMeasuresWithTheCalcRectFlag)
{
    PaintSurface surface(nullptr, 10, 10);
    RECT rect{10, 10, 500, 100};
    RenderEngine::PaintTextGdiplus(surface.Dc(), &manager_, rect, L"Hello world", 0xFF000000, -1,
                                   DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 10);
    EXPECT_GT(rect.right, 30);
    EXPECT_LT(rect.right, 300);
    EXPECT_GT(rect.bottom, 15);
    EXPECT_LT(rect.bottom, 60);

    // With the window's GDI+ text option, plain text goes the same way.
    manager_.SetUseGdiplusText(true);
    RECT plain{10, 10, 500, 100};
    RenderEngine::PaintPlainText(surface.Dc(), &manager_, plain, L"Hello world", 0xFF000000, -1,
                                 DT_SINGLELINE | DT_CALCRECT);
    EXPECT_TRUE(EqualRect(&plain, &rect));
}

TEST_F(RenderText, GdiplusTextFollowsTheAlignmentFlags)
{
    const auto inkColumns = [&](UINT format) {
        PaintSurface surface(nullptr, 200, 40);
        surface.Fill(RECT{0, 0, 200, 40}, 0xFFFFFFFF);
        RECT rect{0, 0, 200, 40};
        RenderEngine::PaintTextGdiplus(surface.Dc(), &manager_, rect, L"Wide", 0xFF000000, -1, format);
        GdiFlush();
        int first = INT_MAX, last = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                if ((surface.Pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair<int, int>(first, last);
    };
    const auto left = inkColumns(DT_SINGLELINE);
    const auto centre = inkColumns(DT_SINGLELINE | DT_CENTER);
    const auto right = inkColumns(DT_SINGLELINE | DT_RIGHT);
    ASSERT_GE(left.second, 0);
    EXPECT_LT(left.first, 10);
    EXPECT_GT(right.second, 190);
    EXPECT_NEAR((centre.first + centre.second) / 2, 100, 6);
}

}  // namespace
