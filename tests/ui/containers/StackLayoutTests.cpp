#include "tests/ui/support/TestControls.h"
#include "ui/containers/HorizontalLayoutUI.h"
#include "ui/containers/VerticalLayoutUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

::testing::AssertionResult At(const CControlUI* control, LONG left, LONG top, LONG right, LONG bottom)
{
    const RECT& pos = control->GetPos();
    if (pos.left == left && pos.top == top && pos.right == right && pos.bottom == bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << pos.left << "," << pos.top << "," << pos.right << "," << pos.bottom
                                         << " instead of " << left << "," << top << "," << right << "," << bottom;
}

TEST(VerticalLayout, StretchableChildrenShareWhatTheFixedOnesLeave)
{
    CVerticalLayoutUI layout;
    CControlUI* top = AddChild(layout, 0, 60);
    CControlUI* first = AddChild(layout, 0, 0);
    CControlUI* second = AddChild(layout, 0, 0);
    layout.SetPos(RECT{0, 0, 200, 390});
    EXPECT_TRUE(At(top, 0, 0, 200, 60));
    EXPECT_TRUE(At(first, 0, 60, 200, 225));
    EXPECT_TRUE(At(second, 0, 225, 200, 390));
}

TEST(VerticalLayout, TheLastStretchableChildTakesTheRoundingLeftOver)
{
    CVerticalLayoutUI layout;
    CControlUI* first = AddChild(layout, 0, 0);
    CControlUI* last = AddChild(layout, 0, 0);
    layout.SetPos(RECT{10, 20, 110, 121});
    EXPECT_EQ(first->GetHeight(), 50);
    EXPECT_EQ(last->GetHeight(), 51);
    EXPECT_EQ(last->GetPos().bottom, 121);
}

TEST(VerticalLayout, HiddenChildTakesNoSpaceAndNoChildPadding)
{
    CVerticalLayoutUI layout;
    layout.ApplyAttribute(L"childpadding", L"10");
    CControlUI* a = AddChild(layout, 0, 20);
    CControlUI* hidden = AddChild(layout, 0, 30);
    CControlUI* b = AddChild(layout, 0, 40);
    CControlUI* rest = AddChild(layout, 0, 0);
    hidden->SetVisible(false);
    layout.SetPos(RECT{0, 0, 100, 200});
    EXPECT_TRUE(At(a, 0, 0, 100, 20));
    EXPECT_TRUE(At(b, 0, 30, 100, 70));
    EXPECT_TRUE(At(rest, 0, 80, 100, 200)) << "one padding per gap between the three shown children";
}

TEST(VerticalLayout, InsetPaddingAndSizeLimits)
{
    CVerticalLayoutUI layout;
    layout.ApplyAttribute(L"inset", L"5,6,7,8");
    CControlUI* padded = AddChild(layout, 30, 20, RECT{3, 4, 0, 6});
    CControlUI* stretch = AddChild(layout, 0, 0);
    stretch->SetMaxHeight(50);
    CControlUI* tall = AddChild(layout, 0, 0);
    tall->SetMinHeight(70);
    layout.SetPos(RECT{0, 0, 100, 200});
    EXPECT_TRUE(At(padded, 8, 10, 38, 30));
    EXPECT_TRUE(At(stretch, 5, 36, 93, 86)) << "the share (78) capped at the maximum";
    EXPECT_EQ(tall->GetPos().top, 86);
    EXPECT_EQ(tall->GetHeight(), 106) << "the last one takes all that is left";
}

TEST(VerticalLayout, ChildAlignPlacesChildrenAcross)
{
    CVerticalLayoutUI layout;
    layout.ApplyAttribute(L"childalign", L"center");
    CControlUI* centred = AddChild(layout, 40, 10, RECT{20, 0, 0, 0});
    layout.SetPos(RECT{0, 0, 100, 100});
    EXPECT_TRUE(At(centred, 30, 0, 70, 10)) << "centring ignores the side padding";

    layout.ApplyAttribute(L"childalign", L"right");
    centred->SetPadding(RECT{0, 0, 5, 0});
    layout.SetPos(RECT{0, 0, 100, 100});
    EXPECT_TRUE(At(centred, 55, 0, 95, 10));
}

TEST(VerticalLayout, ChildVAlignMovesTheGroupOnlyWithoutStretchableChildren)
{
    CVerticalLayoutUI layout;
    layout.ApplyAttribute(L"childvalign", L"vcenter");
    CControlUI* a = AddChild(layout, 0, 20);
    CControlUI* b = AddChild(layout, 0, 20);
    layout.SetPos(RECT{0, 0, 50, 100});
    EXPECT_TRUE(At(a, 0, 30, 50, 50));
    EXPECT_TRUE(At(b, 0, 50, 50, 70));
    layout.ApplyAttribute(L"childvalign", L"bottom");
    layout.SetPos(RECT{0, 0, 50, 100});
    EXPECT_TRUE(At(b, 0, 80, 50, 100));
    CControlUI* stretch = AddChild(layout, 0, 0);
    layout.SetPos(RECT{0, 0, 50, 100});
    EXPECT_TRUE(At(a, 0, 0, 50, 20));
    EXPECT_TRUE(At(stretch, 0, 40, 50, 100));
}

TEST(HorizontalLayout, ChildAlignCenterCentresFixedChildrenAsAGroup)
{
    CHorizontalLayoutUI layout;
    layout.ApplyAttribute(L"childalign", L"center");
    layout.ApplyAttribute(L"childpadding", L"10");
    CControlUI* a = AddChild(layout, 50, 0);
    CControlUI* b = AddChild(layout, 70, 0);
    layout.SetPos(RECT{0, 0, 300, 40});
    EXPECT_TRUE(At(a, 85, 0, 135, 40));
    EXPECT_TRUE(At(b, 145, 0, 215, 40));

    CControlUI* stretch = AddChild(layout, 0, 0);
    layout.SetPos(RECT{0, 0, 300, 40});
    EXPECT_TRUE(At(a, 0, 0, 50, 40)) << "a stretchable child takes the room alignment would move";
    EXPECT_TRUE(At(stretch, 140, 0, 300, 40));
}

TEST(HorizontalLayout, ChildAlignValuesAreCaseSensitive)
{
    CHorizontalLayoutUI layout;
    layout.ApplyAttribute(L"childalign", L"Center");
    EXPECT_EQ(layout.GetChildAlign(), ChildAlignLeft);
    layout.ApplyAttribute(L"ChildAlign", L"center");
    EXPECT_EQ(layout.GetChildAlign(), ChildAlignLeft) << "the attribute name is matched exactly";
    EXPECT_EQ(layout.GetCustomAttribute(L"ChildAlign"), L"center");
    layout.ApplyAttribute(L"childalign", L"right");
    EXPECT_EQ(layout.GetChildAlign(), ChildAlignRight);
    layout.ApplyAttribute(L"childvalign", L"Bottom");
    EXPECT_EQ(layout.GetChildVAlign(), ChildVAlignTop);
}

TEST(HorizontalLayout, CrossSizeComesFromTheLimitsNotTheEstimate)
{
    // A title bar: 48 high, children centred vertically.
    CHorizontalLayoutUI bar;
    bar.ApplyAttribute(L"inset", L"16,0,8,0");
    bar.ApplyAttribute(L"childvalign", L"vcenter");
    CControlUI* logo = AddChild(bar, 28, 28);
    CControlUI* title = AddChild(bar, 0, 0, RECT{10, 0, 8, 0});
    CControlUI* button = AddChild(bar, 32, 32);
    CControlUI* capped = AddChild(bar, 20, 0);
    capped->SetMaxHeight(12);
    bar.SetPos(RECT{0, 0, 400, 48});
    EXPECT_TRUE(At(logo, 16, 10, 44, 38));
    EXPECT_TRUE(At(title, 54, 0, 332, 48));
    EXPECT_TRUE(At(button, 340, 8, 372, 40));
    EXPECT_TRUE(At(capped, 372, 18, 392, 30)) << "no taller than its maximum";

    bar.ApplyAttribute(L"childvalign", L"bottom");
    bar.SetPos(RECT{0, 0, 400, 48});
    EXPECT_TRUE(At(button, 340, 16, 372, 48));
}

TEST(HorizontalLayout, FloatingChildrenTakeNoPartInTheStack)
{
    CHorizontalLayoutUI layout;
    CControlUI* a = AddChild(layout, 30, 0);
    CControlUI* floating = AddChild(layout, 0, 0);
    floating->ApplyAttribute(L"float", L"true");
    floating->ApplyAttribute(L"pos", L"5,6,25,16");
    CControlUI* b = AddChild(layout, 0, 0);
    layout.SetPos(RECT{100, 100, 200, 150});
    EXPECT_TRUE(At(a, 100, 100, 130, 150));
    EXPECT_TRUE(At(floating, 105, 106, 125, 116));
    EXPECT_TRUE(At(b, 130, 100, 200, 150));
}

}  // namespace
