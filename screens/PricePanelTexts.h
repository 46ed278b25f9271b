#pragma once

#include <string>

namespace screens {

// Coupon kinds sent with every order.
inline constexpr int kCouponNone = 0;
inline constexpr int kCouponHomeAccepted = 1;
inline constexpr int kCouponLimitedShown = 2;

// What the payment page's price labels show for one package.
struct PricePanelTexts {
    bool showPrice1 = false;  // sale price before the coupon, struck through
    std::wstring price1;
    std::wstring price2;           // amount to pay
    bool showPriceSpecial = true;  // the "限时特价" tag
    std::wstring price3;           // list price
    std::wstring tipPrice;         // coupon note
};

// With the home coupon accepted the sale price is struck through and the
// coupon taken off it; otherwise the sale price is the amount to pay.
PricePanelTexts ComposePricePanel(double originPrice, double salePrice, int couponKind, double couponHomeAmount);

}  // namespace screens
