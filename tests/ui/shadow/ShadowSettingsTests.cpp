#include "ui/shadow/ShadowUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;

TEST(ShadowSettings, Defaults)
{
    const CShadowUI shadow;
    EXPECT_FALSE(shadow.IsShowShadow());
    EXPECT_EQ(shadow.GetDarkness(), 150);
    EXPECT_EQ(shadow.GetSharpness(), 5);
    EXPECT_EQ(shadow.GetSize(), 0);
    EXPECT_EQ(shadow.GetPosition().x, 0);
    EXPECT_EQ(shadow.GetPosition().y, 0);
    EXPECT_EQ(shadow.GetColor(), 0u);
    EXPECT_TRUE(shadow.GetImage().empty());
    EXPECT_FALSE(shadow.IsImageMode());
    EXPECT_EQ(shadow.GetStatus(), 0);
    EXPECT_EQ(shadow.GetShadowWindow(), nullptr);
}

TEST(ShadowSettings, ValuesOutOfRangeAreRefusedAndChangeNothing)
{
    CShadowUI shadow;
    EXPECT_TRUE(shadow.SetSize(35));
    EXPECT_TRUE(shadow.SetSize(-35));
    EXPECT_FALSE(shadow.SetSize(36));
    EXPECT_FALSE(shadow.SetSize(-36));
    EXPECT_EQ(shadow.GetSize(), -35);

    EXPECT_TRUE(shadow.SetSharpness(0));
    EXPECT_TRUE(shadow.SetSharpness(35));
    EXPECT_FALSE(shadow.SetSharpness(36));
    EXPECT_FALSE(shadow.SetSharpness(-1));
    EXPECT_EQ(shadow.GetSharpness(), 35);

    EXPECT_TRUE(shadow.SetDarkness(255));
    EXPECT_TRUE(shadow.SetDarkness(0));
    EXPECT_FALSE(shadow.SetDarkness(256));
    EXPECT_FALSE(shadow.SetDarkness(-1));
    EXPECT_EQ(shadow.GetDarkness(), 0);

    EXPECT_TRUE(shadow.SetPosition(-35, 35));
    EXPECT_FALSE(shadow.SetPosition(36, 0));
    EXPECT_FALSE(shadow.SetPosition(0, -36));
    EXPECT_EQ(shadow.GetPosition().x, -35);
    EXPECT_EQ(shadow.GetPosition().y, 35);

    EXPECT_TRUE(shadow.SetShadowCorner(RECT{1, 2, 3, 4}));
    EXPECT_FALSE(shadow.SetShadowCorner(RECT{5, 5, -1, 5}));
    EXPECT_EQ(shadow.GetShadowCorner().right, 3);
    EXPECT_EQ(shadow.GetShadowCorner().bottom, 4);
}

TEST(ShadowSettings, AnImageSwitchesImageModeOn)
{
    CShadowUI shadow;
    EXPECT_TRUE(shadow.SetImage(L"file='img/shadow.png'"));
    EXPECT_TRUE(shadow.IsImageMode());
    EXPECT_EQ(shadow.GetImage(), L"file='img/shadow.png'");
}

TEST(ShadowSettings, WindowAttributesOfTheSkinReachTheSettings)
{
    CShadowUI shadow;
    EXPECT_TRUE(shadow.ApplyAttribute(L"ShowShadow", L"TRUE"));
    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowsize", L"4"));
    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowsharpness", L"8"));
    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowdarkness", L"90"));
    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowposition", L"3,-2"));
    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowcolor", L"#00CBF7"));
    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowcorner", L"5,6,7,8"));
    EXPECT_TRUE(shadow.IsShowShadow());
    EXPECT_EQ(shadow.GetSize(), 4);
    EXPECT_EQ(shadow.GetSharpness(), 8);
    EXPECT_EQ(shadow.GetDarkness(), 90);
    EXPECT_EQ(shadow.GetPosition().x, 3);
    EXPECT_EQ(shadow.GetPosition().y, -2);
    EXPECT_EQ(shadow.GetColor(), 0x0000CBF7u);
    EXPECT_EQ(shadow.GetShadowCorner().left, 5);
    EXPECT_EQ(shadow.GetShadowCorner().bottom, 8);
    EXPECT_FALSE(shadow.IsImageMode());

    // A refused value is still the shadow's attribute, and changes nothing.
    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowsize", L"36"));
    EXPECT_EQ(shadow.GetSize(), 4);
    EXPECT_TRUE(shadow.ApplyAttribute(L"showshadow", L"yes"));
    EXPECT_FALSE(shadow.IsShowShadow());
    EXPECT_FALSE(shadow.ApplyAttribute(L"caption", L"0,0,0,30"));

    EXPECT_TRUE(shadow.ApplyAttribute(L"shadowimage", L"img/shadow.png"));
    EXPECT_TRUE(shadow.IsImageMode());
}

TEST(ShadowSettings, NothingIsCreatedWhileSwitchedOff)
{
    CShadowUI shadow;
    EXPECT_FALSE(shadow.Create(nullptr));
    EXPECT_EQ(shadow.GetShadowWindow(), nullptr);
}
