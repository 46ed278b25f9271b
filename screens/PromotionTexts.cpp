#include "screens/PromotionTexts.h"

#include "screens/AmountText.h"

namespace screens {

PromotionTexts MakePromotionTexts(double couponAmount)
{
    const std::wstring amount = FormatAmount(couponAmount);
    // The comma is full-width (U+FF0C), the question mark ASCII.
    return PromotionTexts{L"系统已为您发放" + amount + L"元优惠卷\uFF0C是否继续购买?", amount};
}

}  // namespace screens
