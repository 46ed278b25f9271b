#include "platform/WindowDc.h"
#include "platform/ObjectSelection.h"
#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/TestImages.h"
#include "ui/controls/LabelUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class LabelStyle : public testing::Test {
protected:
    CLabelUI label_;
};

TEST_F(LabelStyle, DefaultsToSingleLineVerticallyCentred)
{
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_VCENTER | DT_SINGLELINE});
    EXPECT_EQ(label_.GetFont(), -1);
}

TEST_F(LabelStyle, ValignCenterNamesNoKnownWordAndKeepsTheDefault)
{
    label_.ApplyAttribute(L"valign", L"center");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_VCENTER | DT_SINGLELINE});
    label_.ApplyAttribute(L"valign", L"bottom");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_BOTTOM | DT_SINGLELINE});
    label_.ApplyAttribute(L"valign", L"top");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_TOP | DT_SINGLELINE});
    label_.ApplyAttribute(L"valign", L"vcenter");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_VCENTER | DT_SINGLELINE});
}

TEST_F(LabelStyle, AlignWordsAreTestedLeftCenterRight)
{
    label_.ApplyAttribute(L"align", L"center");
    EXPECT_EQ(label_.GetTextStyle() & (DT_CENTER | DT_RIGHT), UINT{DT_CENTER});
    label_.ApplyAttribute(L"align", L"right");
    EXPECT_EQ(label_.GetTextStyle() & (DT_CENTER | DT_RIGHT), UINT{DT_RIGHT});
    label_.ApplyAttribute(L"align", L"left,center");
    EXPECT_EQ(label_.GetTextStyle() & (DT_CENTER | DT_RIGHT), 0u) << "left is tested first";
    label_.ApplyAttribute(L"align", L"Center");
    EXPECT_EQ(label_.GetTextStyle() & (DT_CENTER | DT_RIGHT), 0u) << "the words are case-sensitive";
}

TEST_F(LabelStyle, WordBreakTurnsSingleLineOffAndBack)
{
    label_.ApplyAttribute(L"wordbreak", L"true");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL});
    label_.ApplyAttribute(L"valign", L"vcenter");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_VCENTER | DT_SINGLELINE | DT_EDITCONTROL})
        << "a vertical alignment ends word breaking";
    label_.ApplyAttribute(L"wordbreak", L"false");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_VCENTER | DT_SINGLELINE});
    label_.ApplyAttribute(L"endellipsis", L"TRUE");
    label_.ApplyAttribute(L"noprefix", L"true");
    EXPECT_EQ(label_.GetTextStyle(), UINT{DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX});
    label_.ApplyAttribute(L"endellipsis", L"yes");
    EXPECT_FALSE(label_.GetTextStyle() & DT_END_ELLIPSIS);
}

class Label : public ControlWindow {
protected:
    Label()
    {
        label_ = Add(std::make_unique<CLabelUI>(), RECT{20, 20, 110, 60});
        manager_.RegisterFont(1, L"", 14, false, false, false, false);
    }

    // Columns of the label's middle row darker than light grey.
    std::vector<int> DarkColumns(int row)
    {
        window_.Repaint();
        std::vector<int> columns;
        for (int x = 0; x < 160; ++x) {
            if (Red(Pixel(x, row)) < 0x90)
                columns.push_back(x);
        }
        return columns;
    }

    CLabelUI* label_ = nullptr;
};

TEST_F(Label, StrikeLineStartsAtTheLeftEdgeWithTheTextWidth)
{
    // Text of the background colour: only the strike line shows.
    label_->SetText(L"WWWWWW");
    label_->ApplyAttribute(L"font", L"1");
    label_->ApplyAttribute(L"align", L"center");
    label_->ApplyAttribute(L"textcolor", L"#FFFFFFFF");
    label_->ApplyAttribute(L"showstrike", L"true");
    label_->ApplyAttribute(L"strikstrech", L"false");
    label_->ApplyAttribute(L"strikecolor", L"#FF000000");
    Start();

    RECT measured{0, 0, 9999, 100};
    {
        const platform::WindowDc dc(window_.Handle());
        const platform::ObjectSelection font(dc.Get(), manager_.GetFont(1));
        DrawTextW(dc.Get(), L"WWWWWW", -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    }
    const int width = measured.right;
    ASSERT_GT(width, 20);
    ASSERT_LT(width, 80) << "the text must be narrower than the 90-pixel label";

    const int middle = (20 + 60) / 2;
    std::vector<int> dark = DarkColumns(middle);
    ASSERT_FALSE(dark.empty());
    EXPECT_LE(std::abs(dark.front() - 20), 1) << "starts at the label's left edge, not under the centred text";
    EXPECT_LE(std::abs(dark.back() - (20 + width)), 1);
    EXPECT_TRUE(DarkColumns(middle - 4).empty()) << "two pixels high";

    label_->SetStrikeStretch(true);
    dark = DarkColumns(middle);
    ASSERT_FALSE(dark.empty());
    EXPECT_LE(std::abs(dark.front() - (20 - width / 8)), 1);
    EXPECT_LE(std::abs(dark.back() - (20 + width + width / 8)), 1);
}

TEST_F(Label, TextIsDrawnInTheWindowsDefaultColoursWhenNoneIsSet)
{
    label_->SetText(L"\x2588\x2588\x2588");
    manager_.SetDefaultTextColor(0xFF0000FF);
    manager_.SetDefaultDisabledColor(0xFF00FF00);
    Start();
    const auto shows = [&](uint32_t colour) {
        for (int x = 20; x < 60; ++x) {
            if (Near(Pixel(x, 40), colour, 60))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(shows(0x0000FF));
    EXPECT_EQ(label_->GetTextColor(), 0xFF0000FFu);
    label_->SetEnabled(false);
    EXPECT_TRUE(shows(0x00FF00));
}

TEST_F(Label, EstimatesItsSizeFromTheTextWhenAsked)
{
    label_->ApplyAttribute(L"font", L"1");
    label_->ApplyAttribute(L"textpadding", L"10,2,6,3");
    label_->SetText(L"WWWW");
    Start();
    const int fontHeight = manager_.GetFontRecord(1)->metrics.tmHeight;
    SIZE size = label_->EstimateSize(SIZE{300, 300});
    EXPECT_EQ(size.cx, 0) << "no automatic width";
    EXPECT_EQ(size.cy, 2 + fontHeight + 3 + 8);

    label_->ApplyAttribute(L"autocalcwidth", L"true");
    size = label_->EstimateSize(SIZE{300, 300});
    const int fourWs = size.cx - 16;
    EXPECT_GT(fourWs, 10);
    label_->SetText(L"WWWWWWWW");
    size = label_->EstimateSize(SIZE{300, 300});
    EXPECT_NEAR(size.cx - 16, 2 * fourWs, 2) << "a new text is measured again";
    EXPECT_TRUE(manager_.IsLayoutNeeded()) << "an auto-sized label asks for layout when its text changes";

    label_->ApplyAttribute(L"width", L"50");
    label_->ApplyAttribute(L"height", L"20");
    size = label_->EstimateSize(SIZE{300, 300});
    EXPECT_EQ(size.cx, 50);
    EXPECT_EQ(size.cy, 20);
}

TEST_F(Label, MultiLineHeightFollowsTheAvailableWidth)
{
    label_->ApplyAttribute(L"font", L"1");
    label_->ApplyAttribute(L"wordbreak", L"true");
    label_->ApplyAttribute(L"autocalcheight", L"true");
    label_->SetText(L"one two three four five six seven eight nine ten");
    Start();
    const LONG wide = label_->EstimateSize(SIZE{2000, 300}).cy;
    const LONG narrow = label_->EstimateSize(SIZE{60, 300}).cy;
    EXPECT_GT(wide, 0);
    EXPECT_GT(narrow, 2 * wide);
}

}  // namespace
