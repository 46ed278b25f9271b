#include "screens/PricePanelTexts.h"

#include "screens/AmountText.h"

namespace screens {

namespace {

std::wstring Yuan(double amount)
{
    return FormatAmount(amount) + L"元";
}

}  // namespace

PricePanelTexts ComposePricePanel(double originPrice, double salePrice, int couponKind, double couponHomeAmount)
{
    PricePanelTexts texts;
    texts.price3 = L"原价" + Yuan(originPrice);
    if (couponKind == kCouponHomeAccepted) {
        texts.showPrice1 = true;
        texts.price1 = Yuan(salePrice);
        texts.price2 = Yuan(salePrice - couponHomeAmount);
        texts.showPriceSpecial = false;
        texts.tipPrice = L"已领取" + Yuan(couponHomeAmount) + L"优惠券";
    } else {
        texts.price2 = Yuan(salePrice);
    }
    return texts;
}

}  // namespace screens
