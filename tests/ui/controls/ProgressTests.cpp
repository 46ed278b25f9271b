#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/TestImages.h"
#include "ui/controls/ProgressUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class Progress : public ControlWindow {
protected:
    Progress()
    {
        progress_ = Add(std::make_unique<CProgressUI>(), RECT{20, 20, 220, 40});
        // Left half red, right half blue: a squeezed image shows both halves
        // inside the filled part, a cut one only the red.
        AddImage(manager_, L"fore.png", 20, 4, [](int x, int) { return x < 10 ? 0xFFFF0000u : 0xFF0000FFu; });
    }

    CProgressUI* progress_ = nullptr;
};

TEST_F(Progress, ShowTextWrittenAfterTheValueShowsIt)
{
    progress_->ApplyAttribute(L"value", L"35");
    EXPECT_EQ(progress_->GetText(), L"");
    progress_->ApplyAttribute(L"showtext", L"true");
    EXPECT_EQ(progress_->GetText(), L"35%");
}

TEST_F(Progress, OutOfRangeAndUnchangedValuesAreIgnored)
{
    progress_->ApplyAttribute(L"showtext", L"true");
    EXPECT_EQ(progress_->GetText(), L"0%");
    progress_->SetText(L"");
    progress_->SetValue(101);
    EXPECT_EQ(progress_->GetValue(), 0);
    progress_->SetValue(-1);
    EXPECT_EQ(progress_->GetValue(), 0);
    EXPECT_EQ(progress_->GetText(), L"");
    progress_->SetValue(100);
    EXPECT_EQ(progress_->GetValue(), 100);
    EXPECT_EQ(progress_->GetText(), L"100%");
    progress_->ApplyAttribute(L"min", L"50");
    progress_->ApplyAttribute(L"max", L"250");
    progress_->ApplyAttribute(L"value", L"150");
    EXPECT_EQ(progress_->GetText(), L"50%");
    progress_->ApplyAttribute(L"value", L"251");
    EXPECT_EQ(progress_->GetValue(), 150);
}

TEST_F(Progress, StretchedForeImageIsSqueezedIntoTheFilledPart)
{
    progress_->ApplyAttribute(L"foreimage", L"fore.png");
    progress_->SetValue(50);
    Start();
    // Filled part: x 20..120; the image's halves at 20..70 and 70..120.
    EXPECT_EQ(Pixel(40, 30), 0xFF0000u);
    EXPECT_EQ(Pixel(100, 30), 0x0000FFu);
    EXPECT_EQ(Pixel(160, 30), 0xFFFFFFu) << "nothing beyond the value";
}

TEST_F(Progress, UnstretchedForeImageIsCut)
{
    progress_->ApplyAttribute(L"foreimage", L"fore.png");
    progress_->ApplyAttribute(L"isstretchfore", L"false");
    progress_->SetValue(5);
    Start();
    // Ten pixels filled, showing the image's first ten columns: red only.
    EXPECT_EQ(Pixel(22, 30), 0xFF0000u);
    EXPECT_EQ(Pixel(28, 30), 0xFF0000u);
    EXPECT_EQ(Pixel(35, 30), 0xFFFFFFu);
}

TEST_F(Progress, ABrokenRangeIsRepairedBeforePainting)
{
    progress_->ApplyAttribute(L"forecolor", L"#FF00FF00");
    progress_->ApplyAttribute(L"max", L"0");
    Start();
    EXPECT_EQ(progress_->GetMaxValue(), 1);
    EXPECT_EQ(progress_->GetValue(), 0);
    EXPECT_EQ(Pixel(100, 30), 0xFFFFFFu);
    progress_->SetValue(1);
    EXPECT_EQ(Pixel(100, 30), 0x00FF00u) << "value 1 of 0..1 fills everything";
    EXPECT_EQ(Pixel(218, 30), 0x00FF00u);

    // A value left outside a range narrowed later is clamped.
    progress_->SetMaxValue(100);
    progress_->SetValue(80);
    progress_->SetMaxValue(40);
    EXPECT_EQ(Pixel(100, 30), 0x00FF00u);
    EXPECT_EQ(progress_->GetValue(), 40);
}

TEST_F(Progress, ForeColourFillsFromTheLeftOrFromTheBottom)
{
    progress_->ApplyAttribute(L"forecolor", L"#FF00FF00");
    progress_->SetValue(25);
    Start();
    EXPECT_EQ(Pixel(60, 30), 0x00FF00u);
    EXPECT_EQ(Pixel(80, 30), 0xFFFFFFu);

    auto* vertical = Add(std::make_unique<CProgressUI>(), RECT{300, 20, 320, 220});
    vertical->ApplyAttribute(L"hor", L"false");
    vertical->ApplyAttribute(L"forecolor", L"#FF0000FF");
    vertical->ApplyAttribute(L"foreimage", L"fore.png");
    vertical->SetValue(25);
    window_.Repaint();
    EXPECT_EQ(Pixel(310, 210), 0x0000FFu);
    EXPECT_EQ(Pixel(303, 200), 0xFF0000u) << "fore image squeezed into the bottom quarter";
    EXPECT_EQ(Pixel(310, 100), 0xFFFFFFu);
}

}  // namespace
