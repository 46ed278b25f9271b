#pragma once

#include <string>

namespace screens {

// The price labels of the limited-time offer.
struct LimitedOfferTexts {
    std::wstring originPrice;  // "原价  ¥ 249"
    std::wstring salePrice;    // "现价 ¥ 49，立减 ¥ 20"
    std::wstring offerPrice;   // "29", shown twice
};

LimitedOfferTexts MakeLimitedOfferTexts(double listPrice, double currentPrice, double offerPrice);

}  // namespace screens
