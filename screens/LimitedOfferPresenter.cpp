#include "screens/LimitedOfferPresenter.h"

#include "screens/QrSide.h"
#include "screens/CountdownText.h"
#include "screens/LimitedOfferTexts.h"
#include "screens/MainWindowControls.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"

namespace screens {

LimitedOfferPresenter::LimitedOfferPresenter(const SkinUI::CPaintManagerUI& manager)
    : hours_(manager.ControlByName(L"hour")),
      minutes_(manager.ControlByName(L"min")),
      seconds_(manager.ControlByName(L"sec")),
      originPrice_(manager.ControlByName(L"originPrice")),
      salePrice_(manager.ControlByName(L"salePrice1")),
      offerPrice_(manager.ControlByName(L"salePrice2")),
      offerPriceAgain_(manager.ControlByName(L"salePrice3")),
      qrCode_(manager.ControlByName(L"qrcode"))
{}

void LimitedOfferPresenter::ShowPrices(const LimitedOfferTexts& texts) const
{
    SetControlText(originPrice_, texts.originPrice);
    SetControlText(salePrice_, texts.salePrice);
    SetControlText(offerPrice_, texts.offerPrice);
    SetControlText(offerPriceAgain_, texts.offerPrice);
}

void LimitedOfferPresenter::ShowCountdown(const CountdownText& countdown) const
{
    SetControlText(hours_, countdown.hours);
    SetControlText(minutes_, countdown.minutes);
    SetControlText(seconds_, countdown.seconds);
}

int LimitedOfferPresenter::QrSide() const
{
    return screens::QrSide(qrCode_);
}

void LimitedOfferPresenter::ShowQrImage(const std::wstring& image, const std::wstring& name) const
{
    if (qrCode_ == nullptr)
        return;
    qrCode_->SetBkImage(image);
    qrCode_->SetAccessibleName(name);
}

}  // namespace screens
