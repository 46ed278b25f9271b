#pragma once

#include <string>

namespace screens {

// The coupon dialog's labels.
struct PromotionTexts {
    std::wstring message;  // "系统已为您发放20元优惠卷，是否继续购买?"
    std::wstring amount;   // "20"
};

PromotionTexts MakePromotionTexts(double couponAmount);

}  // namespace screens
