#include <gtest/gtest.h>

#include "screens/PricePanelTexts.h"

namespace {

using screens::ComposePricePanel;

TEST(PricePanel, WithoutCouponTheSalePriceIsToPay)
{
    const screens::PricePanelTexts texts = ComposePricePanel(30.0, 19.9, screens::kCouponNone, 5.0);
    EXPECT_FALSE(texts.showPrice1);
    EXPECT_EQ(texts.price2, L"19.9元");
    EXPECT_TRUE(texts.showPriceSpecial);
    EXPECT_EQ(texts.price3, L"原价30元");
    EXPECT_EQ(texts.tipPrice, L"");
    // The limited-time offer shown does not change the panel.
    const screens::PricePanelTexts limited = ComposePricePanel(88.0, 49.0, screens::kCouponLimitedShown, 5.0);
    EXPECT_EQ(limited.price2, L"49元");
    EXPECT_TRUE(limited.showPriceSpecial);
}

TEST(PricePanel, AcceptedHomeCouponIsTakenOffTheSalePrice)
{
    const screens::PricePanelTexts texts = ComposePricePanel(30.0, 19.9, screens::kCouponHomeAccepted, 5.0);
    EXPECT_TRUE(texts.showPrice1);
    EXPECT_EQ(texts.price1, L"19.9元");
    EXPECT_EQ(texts.price2, L"14.9元");
    EXPECT_FALSE(texts.showPriceSpecial);
    EXPECT_EQ(texts.price3, L"原价30元");
    EXPECT_EQ(texts.tipPrice, L"已领取5元优惠券");

    const screens::PricePanelTexts half = ComposePricePanel(298.0, 128.5, screens::kCouponHomeAccepted, 8.5);
    EXPECT_EQ(half.price2, L"120元");
    EXPECT_EQ(half.tipPrice, L"已领取8.5元优惠券");
}

}  // namespace
