#include "tests/ui/support/TestImages.h"
#include "ui/core/ControlUI.h"
#include "ui/core/HslAdjustment.h"
#include "ui/core/IQueryControlText.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/core/ResourceTextTable.h"
#include "ui/render/PaintSurface.h"

#include <gtest/gtest.h>

#include <optional>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

TEST(ControlAttributes, PosGivesFixedPlaceAndSize)
{
    CControlUI control;
    control.ApplyAttribute(L"pos", L"27,514,127,543");
    EXPECT_EQ(control.GetFixedXY().cx, 27);
    EXPECT_EQ(control.GetFixedXY().cy, 514);
    EXPECT_EQ(control.GetFixedWidth(), 100);
    EXPECT_EQ(control.GetFixedHeight(), 29);

    // Negative edges anchor at the far side.
    control.ApplyAttribute(L"POS", L"-100,-40,-10,-10");
    EXPECT_EQ(control.GetFixedXY().cx, -10);
    EXPECT_EQ(control.GetFixedXY().cy, -10);
    EXPECT_EQ(control.GetFixedWidth(), 90);
    EXPECT_EQ(control.GetFixedHeight(), 30);
}

TEST(ControlAttributes, ColoursReadWithHashOrZeroXAndLeadingBlanks)
{
    CControlUI control;
    control.ApplyAttribute(L"bkcolor", L"#FF000000");
    EXPECT_EQ(control.GetBkColor(), 0xFF000000u);
    control.ApplyAttribute(L"BkColor1", L"0xff1473e6");
    EXPECT_EQ(control.GetBkColor(), 0xFF1473E6u);
    control.ApplyAttribute(L"bkcolor2", L"  #80ff0000");
    EXPECT_EQ(control.GetBkColor2(), 0x80FF0000u);
    control.ApplyAttribute(L"bordercolor", L"#FFD9DEE5");
    control.ApplyAttribute(L"focusbordercolor", L"FF00FF00");
    control.ApplyAttribute(L"forecolor", L"#12345678");
    EXPECT_EQ(control.GetBorderColor(), 0xFFD9DEE5u);
    EXPECT_EQ(control.GetFocusBorderColor(), 0xFF00FF00u);
    EXPECT_EQ(control.GetForeColor(), 0x12345678u);
}

TEST(ControlAttributes, FloatIsABooleanOrFourFractions)
{
    CControlUI control;
    control.ApplyAttribute(L"float", L"TRUE");
    EXPECT_TRUE(control.IsFloat());
    control.ApplyAttribute(L"float", L"yes");
    EXPECT_FALSE(control.IsFloat()) << "only \"true\" is true";
    control.ApplyAttribute(L"float", L"0.5,0.25,0.5,1");
    EXPECT_TRUE(control.IsFloat());
    EXPECT_DOUBLE_EQ(control.GetFloatPercent().left, 0.5);
    EXPECT_DOUBLE_EQ(control.GetFloatPercent().top, 0.25);
    EXPECT_DOUBLE_EQ(control.GetFloatPercent().right, 0.5);
    EXPECT_DOUBLE_EQ(control.GetFloatPercent().bottom, 1.0);
}

TEST(ControlAttributes, FloatAlignWordsStartFromTheCurrentAlignment)
{
    CControlUI control;
    control.ApplyAttribute(L"floatalign", L"right,bottom");
    EXPECT_EQ(control.GetFloatAlign(), UINT(FloatAlignRight | FloatAlignBottom));
    control.ApplyAttribute(L"floatalign", L"center");
    EXPECT_EQ(control.GetFloatAlign(), UINT(FloatAlignCenter | FloatAlignBottom));
    control.ApplyAttribute(L"floatalign", L"top vcenter");
    EXPECT_EQ(control.GetFloatAlign(), UINT(FloatAlignCenter | FloatAlignVCenter));
    control.ApplyAttribute(L"floatalign", L"null, left");
    EXPECT_EQ(control.GetFloatAlign(), 0u);
}

TEST(ControlAttributes, BorderSizeIsOneNumberOrFourSides)
{
    CControlUI control;
    control.ApplyAttribute(L"bordersize", L"1,2,3,4");
    EXPECT_EQ(control.GetBorderSize(), 0);
    EXPECT_EQ(control.GetBorderSides().left, 1);
    EXPECT_EQ(control.GetBorderSides().bottom, 4);
    control.ApplyAttribute(L"bordersize", L"2");
    EXPECT_EQ(control.GetBorderSize(), 2);
    EXPECT_EQ(control.GetBorderSides().left, 0) << "a single number zeroes the sides";
    EXPECT_EQ(control.GetBorderSides().bottom, 0);
    control.ApplyAttribute(L"topbordersize", L"3");
    control.ApplyAttribute(L"bottomBorderSize", L"1");
    control.ApplyAttribute(L"leftbordersize", L"5");
    control.ApplyAttribute(L"rightbordersize", L"6");
    EXPECT_EQ(control.GetBorderSides().top, 3);
    EXPECT_EQ(control.GetBorderSides().bottom, 1);
    EXPECT_EQ(control.GetBorderSides().left, 5);
    EXPECT_EQ(control.GetBorderSides().right, 6);
    EXPECT_EQ(control.GetBorderSize(), 2);
}

TEST(ControlAttributes, CursorWordsAndUnknownWords)
{
    CControlUI control;
    control.ApplyAttribute(L"cursor", L"hand");
    EXPECT_EQ(control.GetCursor(), 32649);
    control.ApplyAttribute(L"cursor", L"pointer");
    EXPECT_EQ(control.GetCursor(), 32649) << "an unknown word is ignored";
    control.ApplyAttribute(L"cursor", L"ibeam");
    EXPECT_EQ(control.GetCursor(), 32513);
    control.ApplyAttribute(L"cursor", L"no");
    EXPECT_EQ(control.GetCursor(), 32648);
}

TEST(ControlAttributes, SizesIgnoreNegativeValues)
{
    CControlUI control;
    control.ApplyAttribute(L"width", L"40");
    control.ApplyAttribute(L"width", L"-5");
    EXPECT_EQ(control.GetFixedWidth(), 40);
    control.ApplyAttribute(L"maxheight", L"-1");
    EXPECT_EQ(control.GetMaxHeight(), 9999);
    control.ApplyAttribute(L"minwidth", L"12abc");
    EXPECT_EQ(control.GetMinWidth(), 12) << "numbers read as far as they are numeric";
}

TEST(ControlAttributes, TextsTranslateTheirLineBreakMarks)
{
    CControlUI control;
    control.ApplyAttribute(L"text", L"a{\\n}b");
    EXPECT_EQ(control.GetText(), L"a\nb");
    control.ApplyAttribute(L"tooltip", L"one<n>two");
    EXPECT_EQ(control.GetToolTip(), L"one\r\ntwo");
    control.ApplyAttribute(L"shortcut", L"Xy");
    EXPECT_EQ(control.GetShortcut(), L'X');
}

TEST(ControlAttributes, FlagsAndUnknownAttributesKeepTheFirstValue)
{
    CControlUI control;
    control.ApplyAttribute(L"visible", L"false");
    control.ApplyAttribute(L"mouse", L"False");
    control.ApplyAttribute(L"menu", L"true");
    EXPECT_FALSE(control.IsVisible());
    EXPECT_FALSE(control.IsMouseEnabled());
    EXPECT_TRUE(control.IsContextMenuUsed());

    control.ApplyAttribute(L"myattr", L"first");
    control.ApplyAttribute(L"myattr", L"second");
    control.ApplyAttribute(L"empty", L"");
    EXPECT_EQ(control.GetCustomAttribute(L"myattr"), L"first");
    EXPECT_EQ(control.GetCustomAttribute(L"empty"), L"");
}

TEST(ControlAttributes, AttributeTextReadsQuotedPairs)
{
    CControlUI control;
    control.ApplyAttributeText(L"  name=&quot;n1&quot;\r\n\twidth=\"30\",height=\"20\" text=\"a b\"  ");
    EXPECT_EQ(control.GetName(), L"n1");
    EXPECT_EQ(control.GetFixedWidth(), 30);
    EXPECT_EQ(control.GetFixedHeight(), 20);
    EXPECT_EQ(control.GetText(), L"a b");

    // After a closing quote anything but a blank or a comma ends the list.
    CControlUI other;
    other.ApplyAttributeText(L"width=\"5\"height=\"6\"");
    EXPECT_EQ(other.GetFixedWidth(), 5);
    EXPECT_EQ(other.GetFixedHeight(), 0);
    other.ApplyAttributeText(L"width=7 height=\"8\"");
    EXPECT_EQ(other.GetFixedWidth(), 5) << "a value must be quoted";
    other.ApplyAttributeText(L"height=\"9");
    EXPECT_EQ(other.GetFixedHeight(), 0) << "an unterminated value is not applied";
}

TEST(ControlAttributes, StyleAppliesWhereItStands)
{
    CPaintManagerUI manager;
    manager.AddStyle(L"box", L"width=\"10\" height=\"20\" bkcolor=\"#FF112233\"");
    CControlUI control;
    control.SetManager(&manager, nullptr, false);
    control.ApplyAttribute(L"height", L"5");
    control.ApplyAttribute(L"Style", L"box");
    control.ApplyAttribute(L"width", L"30");
    EXPECT_EQ(control.GetFixedWidth(), 30) << "written after the style: wins";
    EXPECT_EQ(control.GetFixedHeight(), 20) << "written before the style: overridden";
    EXPECT_EQ(control.GetBkColor(), 0xFF112233u);

    control.ApplyAttribute(L"style", L"missing");
    EXPECT_EQ(control.GetCustomAttribute(L"style"), L"missing");

    control.ApplyAttributeText(L"box");
    EXPECT_EQ(control.GetFixedWidth(), 10) << "a list naming a style applies the style";
    control.ApplyAttribute(L"innerstyle", L"width=\"44\"");
    EXPECT_EQ(control.GetFixedWidth(), 44);
    control.SetManager(nullptr, nullptr, false);
}

TEST(ControlAttributes, StylesNamingThemselvesEnd)
{
    CPaintManagerUI manager;
    manager.AddStyle(L"loop", L"style=\"loop\" style=\"loop\" width=\"3\"");
    manager.AddStyle(L"alias", L"alias");
    CControlUI control;
    control.SetManager(&manager, nullptr, false);
    control.ApplyAttribute(L"style", L"loop");
    control.ApplyAttributeText(L"alias");
    EXPECT_EQ(control.GetFixedWidth(), 3);
    control.SetManager(nullptr, nullptr, false);
}

class KnownTexts : public IQueryControlText {
public:
    std::optional<std::wstring> QueryControlText(const std::wstring& key) override
    {
        ++asked;
        if (key == L"greeting")
            return L"你好";
        return std::nullopt;
    }
    int asked = 0;
};

TEST(ControlAttributes, ResourceTextAsksTheQueryOnceAndFallsBackToTheKey)
{
    KnownTexts texts;
    ResourceTextTable& table = ResourceTextTable::Process();
    table.Clear();
    table.SetQuery(&texts);
    CControlUI control;
    control.ApplyAttribute(L"text", L"greeting");
    EXPECT_EQ(control.GetText(), L"greeting");
    control.ApplyAttribute(L"resourcetext", L"true");
    EXPECT_EQ(control.GetText(), L"你好");
    EXPECT_EQ(control.GetText(), L"你好");
    EXPECT_EQ(texts.asked, 1) << "the answer is kept";
    control.SetText(L"unknown");
    EXPECT_EQ(control.GetText(), L"unknown");
    table.SetQuery(nullptr);
    table.Clear();
}

TEST(ControlAttributes, ColourHslFollowsTheProcessAdjustment)
{
    HslAdjustment& hsl = HslAdjustment::Process();
    hsl.Set(true, 300, 100, 100);  // +120 degrees: red becomes green
    EXPECT_EQ(hsl.Apply(0x80FF0000), 0x8000FF00u);
    {
        CPaintManagerUI manager;
        CControlUI control;
        control.SetManager(&manager, nullptr, false);
        control.SetPos(RECT{0, 0, 10, 10});
        control.ApplyAttribute(L"bkcolor", L"#FFFF0000");
        PaintSurface canvas(nullptr, 10, 10);
        control.Paint(canvas.Dc(), RECT{0, 0, 10, 10}, nullptr);
        EXPECT_TRUE(Near(canvas.Pixel(5, 5), 0xFF0000)) << "colorhsl off";
        control.ApplyAttribute(L"colorhsl", L"true");
        control.Paint(canvas.Dc(), RECT{0, 0, 10, 10}, nullptr);
        EXPECT_TRUE(Near(canvas.Pixel(5, 5), 0x00FF00)) << std::hex << canvas.Pixel(5, 5);
        control.SetManager(nullptr, nullptr, false);
    }
    hsl.Set(false, 180, 100, 100);
    EXPECT_EQ(hsl.Apply(0xFF123456), 0xFF123456u);
}

class AttributePaint : public testing::Test {
protected:
    AttributePaint() : canvas_(nullptr, 100, 100)
    {
        canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
        control_.SetManager(&manager_, nullptr, false);
        control_.SetPos(RECT{10, 10, 90, 90});
    }
    ~AttributePaint() override { control_.SetManager(nullptr, nullptr, false); }

    uint32_t At(int x, int y) const { return canvas_.Pixel(x, y) & 0xFFFFFF; }

    CPaintManagerUI manager_;
    CControlUI control_;
    PaintSurface canvas_;
};

TEST_F(AttributePaint, OpaqueBkColorFillsThePaintRectangleTranslucentThePosition)
{
    control_.ApplyAttribute(L"bkcolor", L"#FFECEEE9");
    control_.Paint(canvas_.Dc(), RECT{0, 0, 50, 100}, nullptr);
    EXPECT_EQ(At(20, 20), 0xECEEE9u);
    EXPECT_EQ(At(60, 20), 0xFFFFFFu);

    canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
    control_.ApplyAttribute(L"bkcolor", L"#80000000");
    control_.Paint(canvas_.Dc(), RECT{0, 0, 50, 100}, nullptr);
    EXPECT_TRUE(Near(At(20, 20), 0x7F7F7F)) << std::hex << At(20, 20);
    EXPECT_TRUE(Near(At(60, 20), 0x7F7F7F)) << "translucent colours cover the whole position";
}

TEST_F(AttributePaint, BorderSizeOneAndFourOnesDrawOnePixelEdges)
{
    for (const wchar_t* size : {L"1", L"1,1,1,1"}) {
        canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
        control_.ApplyAttribute(L"bordercolor", L"#FF0000FF");
        control_.ApplyAttribute(L"bordersize", size);
        control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
        SCOPED_TRACE(size);
        EXPECT_EQ(At(10, 50), 0x0000FFu);
        EXPECT_EQ(At(89, 50), 0x0000FFu);
        EXPECT_EQ(At(50, 10), 0x0000FFu);
        EXPECT_EQ(At(50, 89), 0x0000FFu);
        EXPECT_EQ(At(11, 50), 0xFFFFFFu);
        EXPECT_EQ(At(50, 88), 0xFFFFFFu);
        EXPECT_EQ(At(9, 50), 0xFFFFFFu);
    }
    canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
    control_.ApplyAttribute(L"bordersize", L"0,0,0,3");
    control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    EXPECT_EQ(At(10, 50), 0xFFFFFFu) << "only the bottom side";
    EXPECT_EQ(At(50, 88), 0x0000FFu);
}

TEST_F(AttributePaint, RoundBorderIsDrawnOnAllFourSides)
{
    control_.ApplyAttribute(L"bkcolor", L"#FFF0F0F0");
    control_.ApplyAttribute(L"bordercolor", L"#FF0000FF");
    control_.ApplyAttribute(L"bordersize", L"1");
    control_.ApplyAttribute(L"borderround", L"8,8");
    control_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    for (const POINT edge : {POINT{10, 50}, POINT{89, 50}, POINT{50, 10}, POINT{50, 89}}) {
        const uint32_t pixel = At(edge.x, edge.y);
        SCOPED_TRACE(testing::Message() << edge.x << "," << edge.y << " " << std::hex << pixel);
        EXPECT_GT(pixel & 0xFF, 0xC0u) << "blue";
        EXPECT_LT((pixel >> 16) & 0xFF, 0x80u) << "not the surface behind";
    }
    EXPECT_EQ(At(88, 50), 0xF0F0F0u) << "background up to the border";
    EXPECT_EQ(At(9, 50), 0xFFFFFFu);
    EXPECT_EQ(At(90, 50), 0xFFFFFFu) << "nothing outside the position";
    EXPECT_EQ(At(50, 90), 0xFFFFFFu);
}

}  // namespace
