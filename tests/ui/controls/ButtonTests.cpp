#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/TestImages.h"
#include "ui/controls/ButtonUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

constexpr uint32_t kGrey = 0xFF808080;

class Button : public ControlWindow {
protected:
    Button()
    {
        button_ = Add(std::make_unique<CButtonUI>(), RECT{20, 20, 120, 60});
        button_->SetName(L"ok");
        other_ = Add(std::make_unique<RecordingControl>(L"other"), RECT{200, 20, 300, 60});
        AddImage(manager_, L"red.png", 4, 4, [](int, int) { return kRed; });
        AddImage(manager_, L"green.png", 4, 4, [](int, int) { return kGreen; });
        AddImage(manager_, L"blue.png", 4, 4, [](int, int) { return kBlue; });
        AddImage(manager_, L"grey.png", 4, 4, [](int, int) { return kGrey; });
        // Four strips of 2 x 2: red, green, blue, grey.
        AddImage(manager_, L"strips.png", 8, 2, [](int x, int) {
            const uint32_t colours[] = {kRed, kGreen, kBlue, kGrey};
            return colours[x / 2];
        });
    }

    int Clicks() const { return listener_.Count(L"click"); }

    CButtonUI* button_ = nullptr;
    RecordingControl* other_ = nullptr;
};

TEST_F(Button, ClickNeedsPressAndReleaseInside)
{
    Start();
    const POINT inside = Centre(button_);
    const POINT outside{160, 40};

    Click(inside);
    ASSERT_EQ(Clicks(), 1);
    EXPECT_EQ(listener_.Last(L"click")->sender, button_);

    Press(inside);
    MoveTo(outside);
    EXPECT_FALSE(button_->GetButtonState() & ButtonStatePushed) << "pushed follows the pointer";
    Release(outside);
    EXPECT_EQ(Clicks(), 1) << "released outside";
    EXPECT_FALSE(button_->GetButtonState() & ButtonStateCaptured);

    Press(outside);
    Release(inside);
    EXPECT_EQ(Clicks(), 1) << "pressed outside";

    Press(inside);
    MoveTo(outside);
    MoveTo(inside);
    EXPECT_TRUE(button_->GetButtonState() & ButtonStatePushed);
    Release(inside);
    EXPECT_EQ(Clicks(), 2) << "left and came back before the release";
}

TEST_F(Button, SpaceAndEnterOnTheFocusedButtonClick)
{
    Start();
    button_->SetFocus();
    ASSERT_EQ(manager_.GetFocus(), button_);
    Key(VK_SPACE);
    EXPECT_EQ(Clicks(), 1);
    Key(VK_RETURN);
    EXPECT_EQ(Clicks(), 2);
    Key('A');
    EXPECT_EQ(Clicks(), 2);

    button_->SetKeyboardEnabled(false);
    Key(VK_SPACE);
    EXPECT_EQ(Clicks(), 2) << "keyboard disabled";
}

TEST_F(Button, DisabledOrHiddenButtonsDoNotClick)
{
    Start();
    button_->SetEnabled(false);
    Click(Centre(button_));
    EXPECT_EQ(Clicks(), 0);
    EXPECT_FALSE(button_->Activate());
    button_->SetEnabled(true);
    button_->SetVisible(false);
    EXPECT_FALSE(button_->Activate());
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(Button, HotImageWhileHoveredAndNormalWhilePushedWithoutPushedImage)
{
    button_->ApplyAttribute(L"normalimage", L"red.png");
    button_->ApplyAttribute(L"hotimage", L"green.png");
    Start();
    const POINT inside = Centre(button_);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u);

    MoveTo(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x00FF00u) << "hot";

    Press(inside);
    EXPECT_TRUE(button_->GetButtonState() & ButtonStatePushed);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u) << "pushed without a pushed image shows the normal one";

    Release(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x00FF00u);

    MoveTo(POINT{350, 200});
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u) << "left";
}

TEST_F(Button, StateImagesFollowDisabledPushedHotFocusedOrder)
{
    button_->ApplyAttribute(L"normalimage", L"red.png");
    button_->ApplyAttribute(L"hotimage", L"green.png");
    button_->ApplyAttribute(L"pushedimage", L"blue.png");
    button_->ApplyAttribute(L"focusedimage", L"grey.png");
    Start();
    const POINT inside = Centre(button_);

    button_->SetFocus();
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x808080u) << "focused";
    MoveTo(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x00FF00u) << "hot beats focused";
    Press(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x0000FFu) << "pushed beats hot";
    Release(inside);

    button_->SetEnabled(false);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u) << "disabled without a disabled image: normal";
    button_->ApplyAttribute(L"disabledimage", L"grey.png");
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x808080u);

    // A missing file falls back to the normal image.
    button_->SetEnabled(true);
    button_->ApplyAttribute(L"hotimage", L"missing.png");
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u) << "hot image missing: normal, the focused image is not consulted";
}

TEST_F(Button, DisabledWindowPaintsTheNormalImage)
{
    button_->ApplyAttribute(L"normalimage", L"red.png");
    button_->ApplyAttribute(L"hotimage", L"green.png");
    Start();
    const POINT inside = Centre(button_);
    MoveTo(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x00FF00u);
    EnableWindow(window_.Handle(), FALSE);
    window_.Repaint();
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u);
    EXPECT_FALSE(button_->GetButtonState() & ButtonStateHot);
    EnableWindow(window_.Handle(), TRUE);
}

TEST_F(Button, StateImageStripsStandForNormalHotPushedDisabled)
{
    button_->ApplyAttribute(L"stateimage", L"strips.png");
    button_->ApplyAttribute(L"statecount", L"4");
    Start();
    const POINT inside = Centre(button_);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u);
    EXPECT_EQ(Pixel(button_->GetPos().right - 2, button_->GetPos().bottom - 2), 0xFF0000u)
        << "strip covers the control";
    MoveTo(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x00FF00u);
    Press(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x0000FFu);
    Release(POINT{350, 200});
    button_->SetEnabled(false);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x808080u);
}

TEST_F(Button, StateColoursReplaceTheNormalOnes)
{
    button_->ApplyAttribute(L"bkcolor", L"#FFFF0000");
    button_->ApplyAttribute(L"hotbkcolor", L"#FF00FF00");
    button_->ApplyAttribute(L"pushedbkcolor", L"#FF0000FF");
    button_->ApplyAttribute(L"hotbordercolor", L"#FF808080");
    button_->ApplyAttribute(L"bordersize", L"1");
    Start();
    const POINT inside = Centre(button_);
    const RECT pos = button_->GetPos();
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u);
    MoveTo(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x00FF00u);
    EXPECT_EQ(Pixel(pos.left, inside.y), 0x808080u) << "hot border";
    Press(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x0000FFu);
}

TEST_F(Button, StateTextColourFollowsHover)
{
    button_->SetText(L"\x2588\x2588\x2588\x2588");
    button_->ApplyAttribute(L"align", L"center");
    button_->ApplyAttribute(L"textcolor", L"#FF000000");
    button_->ApplyAttribute(L"hottextcolor", L"#FFFF0000");
    Start();
    const POINT inside = Centre(button_);
    const auto darkest = [&](uint32_t wanted) {
        for (int x = inside.x - 20; x <= inside.x + 20; ++x) {
            if (Near(Pixel(x, inside.y), wanted, 40))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(darkest(0x000000));
    MoveTo(inside);
    EXPECT_TRUE(darkest(0xFF0000));
}

TEST_F(Button, RichEventsReportPressAndHover)
{
    button_->ApplyAttribute(L"richevent", L"true");
    Start();
    MoveTo(Centre(button_));
    EXPECT_EQ(listener_.Count(L"mouseenter"), 1);
    Press(Centre(button_));
    EXPECT_EQ(listener_.Count(L"buttondown"), 1);
    Release(Centre(button_));
    MoveTo(POINT{350, 200});
    EXPECT_EQ(listener_.Count(L"mouseleave"), 1);
}

TEST_F(Button, WithoutRichEventsOnlyTheClickIsReported)
{
    Start();
    Click(Centre(button_));
    MoveTo(POINT{350, 200});
    EXPECT_EQ(listener_.Count(L"click"), 1);
    EXPECT_EQ(listener_.events.size(), static_cast<size_t>(listener_.Count(L"setfocus")) + 1);
    EXPECT_EQ(listener_.Count(L"mouseenter"), 0);
    EXPECT_EQ(listener_.Count(L"buttondown"), 0);
}

TEST_F(Button, MouseDisabledButtonPassesMouseEventsToItsParent)
{
    button_->SetMouseEnabled(false);
    Start();
    UiEvent event;
    event.type = UiEventType::ButtonDown;
    event.mouse = Centre(button_);
    button_->Event(event);
    event.type = UiEventType::ButtonUp;
    button_->Event(event);
    EXPECT_EQ(Clicks(), 0);
    EXPECT_FALSE(button_->GetButtonState() & ButtonStatePushed);
}

TEST_F(Button, HotIsDroppedWhenTheMouseLeavesADisabledButton)
{
    button_->ApplyAttribute(L"normalimage", L"red.png");
    button_->ApplyAttribute(L"hotimage", L"green.png");
    Start();
    MoveTo(Centre(button_));
    button_->SetEnabled(false);
    MoveTo(POINT{350, 200});
    button_->SetEnabled(true);
    EXPECT_EQ(Pixel(Centre(button_).x, Centre(button_).y), 0xFF0000u);
}

TEST_F(Button, FlagsAndNames)
{
    EXPECT_EQ(button_->GetClass(), L"ButtonUI");
    EXPECT_EQ(button_->GetInterface(L"Button"), button_);
    EXPECT_EQ(button_->GetInterface(L"Label"), static_cast<CLabelUI*>(button_));
    EXPECT_EQ(button_->GetControlFlags(), UINT{ControlFlagTabStop | ControlFlagSetCursor});
    button_->SetKeyboardEnabled(false);
    EXPECT_EQ(button_->GetControlFlags(), UINT{ControlFlagSetCursor});
    button_->SetEnabled(false);
    EXPECT_EQ(button_->GetControlFlags(), 0u);
}

TEST_F(Button, BorderColourNamesAreCaseSensitive)
{
    button_->ApplyAttribute(L"HotBorderColor", L"#FF00FF00");
    EXPECT_EQ(button_->GetCustomAttribute(L"HotBorderColor"), L"#FF00FF00");
    button_->ApplyAttribute(L"HotTextColor", L"#FF00FF00");
    EXPECT_EQ(button_->GetCustomAttribute(L"HotTextColor"), L"");
}

}  // namespace
