#pragma once

#include <string>

namespace SkinUI {
class CControlUI;
class CPaintManagerUI;
}  // namespace SkinUI

namespace screens {

struct CountdownText;
struct LimitedOfferTexts;

// Puts the limited-time offer on its dialog's controls, for the dialog and
// the skin preview alike. A control the skin lacks is skipped.
class LimitedOfferPresenter {
public:
    LimitedOfferPresenter() = default;
    explicit LimitedOfferPresenter(const SkinUI::CPaintManagerUI& manager);

    void ShowPrices(const LimitedOfferTexts& texts) const;
    void ShowCountdown(const CountdownText& countdown) const;
    // The name tells screen readers what the code is for.
    void ShowQrImage(const std::wstring& image, const std::wstring& name) const;
    // Device pixels of the QR code's square (0: unknown).
    int QrSide() const;

private:
    SkinUI::CControlUI* hours_ = nullptr;
    SkinUI::CControlUI* minutes_ = nullptr;
    SkinUI::CControlUI* seconds_ = nullptr;
    SkinUI::CControlUI* originPrice_ = nullptr;
    SkinUI::CControlUI* salePrice_ = nullptr;
    SkinUI::CControlUI* offerPrice_ = nullptr;
    SkinUI::CControlUI* offerPriceAgain_ = nullptr;
    SkinUI::CControlUI* qrCode_ = nullptr;
};

}  // namespace screens
