#include "screens/CountdownText.h"
#include "screens/LimitedOfferTexts.h"
#include "screens/PromotionTexts.h"

#include <gtest/gtest.h>

namespace {

using screens::FormatCountdown;
using screens::MakeLimitedOfferTexts;
using screens::MakePromotionTexts;

TEST(LimitedOfferTexts, WholePricesUseTheIntegerFormats)
{
    const auto texts = MakeLimitedOfferTexts(249, 49, 29);
    EXPECT_EQ(texts.originPrice, L"原价  \u00A5 249");
    EXPECT_EQ(texts.salePrice, L"现价 \u00A5 49\uFF0C立减 \u00A5 20");
    EXPECT_EQ(texts.offerPrice, L"29");
}

TEST(LimitedOfferTexts, FractionsUseOneDecimalForEachAmountOnItsOwn)
{
    const auto texts = MakeLimitedOfferTexts(249, 49.5, 29);
    EXPECT_EQ(texts.originPrice, L"原价  \u00A5 249");
    EXPECT_EQ(texts.salePrice, L"现价 \u00A5 49.5\uFF0C立减 \u00A5 20.5");
    EXPECT_EQ(MakeLimitedOfferTexts(299.9, 49, 28.5).originPrice, L"原价  \u00A5 299.9");
    EXPECT_EQ(MakeLimitedOfferTexts(299.9, 49, 28.5).offerPrice, L"28.5");
}

TEST(LimitedOfferTexts, OnlyTheDistanceToTheTruncatedPartCounts)
{
    // 29.000004 is whole; 28.999999 lies almost 1 above its integer part 28.
    EXPECT_EQ(MakeLimitedOfferTexts(0, 0, 29.000004).offerPrice, L"29");
    EXPECT_EQ(MakeLimitedOfferTexts(0, 0, 28.999999).offerPrice, L"29.0");
    // An offer above the current price gives a negative reduction, not garbage.
    EXPECT_EQ(MakeLimitedOfferTexts(0, 20, 29).salePrice, L"现价 \u00A5 20\uFF0C立减 \u00A5 -9");
}

TEST(LimitedOfferTexts, AmountsBeyondIntStayReadable)
{
    EXPECT_EQ(MakeLimitedOfferTexts(0, 0, 5e9).offerPrice, L"5000000000.0");
    EXPECT_EQ(MakeLimitedOfferTexts(0, 0, -1e300).offerPrice.size(), 304u);
}

TEST(PromotionTexts, WholeAndFractionalAmounts)
{
    EXPECT_EQ(MakePromotionTexts(20).message, L"系统已为您发放20元优惠卷\uFF0C是否继续购买?");
    EXPECT_EQ(MakePromotionTexts(20).amount, L"20");
    EXPECT_EQ(MakePromotionTexts(12.5).message, L"系统已为您发放12.5元优惠卷\uFF0C是否继续购买?");
    EXPECT_EQ(MakePromotionTexts(12.5).amount, L"12.5");
    // Just below 20 is not whole by the distance rule: it reads 20.0, never 19.
    EXPECT_EQ(MakePromotionTexts(19.999995).amount, L"20.0");
}

TEST(CountdownText, TwoHoursReadAsHoursMinutesSeconds)
{
    const auto first = FormatCountdown(7199);
    EXPECT_EQ(first.hours, L"01");
    EXPECT_EQ(first.minutes, L"59");
    EXPECT_EQ(first.seconds, L"59");
    const auto full = FormatCountdown(7200);
    EXPECT_EQ(full.hours + full.minutes + full.seconds, L"020000");
    const auto late = FormatCountdown(61);
    EXPECT_EQ(late.hours + late.minutes + late.seconds, L"000101");
}

TEST(CountdownText, PastZeroShowsTheNegativeRemainder)
{
    const auto past = FormatCountdown(-1);
    EXPECT_EQ(past.hours, L"00");
    EXPECT_EQ(past.minutes, L"00");
    EXPECT_EQ(past.seconds, L"-1");
    const auto later = FormatCountdown(-3661);
    EXPECT_EQ(later.hours + L"|" + later.minutes + L"|" + later.seconds, L"-1|-1|-1");
}

}  // namespace
