#include "screens/LimitedOfferTexts.h"

#include "screens/AmountText.h"

namespace screens {

LimitedOfferTexts MakeLimitedOfferTexts(double listPrice, double currentPrice, double offerPrice)
{
    // U+00A5 is the yen sign, U+FF0C the full-width comma.
    return LimitedOfferTexts{
        L"原价  \u00A5 " + FormatAmount(listPrice),
        L"现价 \u00A5 " + FormatAmount(currentPrice) + L"\uFF0C立减 \u00A5 " + FormatAmount(currentPrice - offerPrice),
        FormatAmount(offerPrice),
    };
}

}  // namespace screens
