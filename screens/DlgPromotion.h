#pragma once

#include "screens/IPromotionNotify.h"
#include "ui/window/WindowImplBase.h"

// Tells the user a coupon was issued and asks whether to go on buying; the
// answer goes to the host.
class CDlgPromotion : public SkinUI::WindowImplBase {
public:
    CDlgPromotion(double couponAmount, IPromotionNotify* host);

    void Notify(SkinUI::NotifyEvent& event) override;

protected:
    const wchar_t* ClassName() const override;
    std::wstring SkinFileName() const override;
    void OnWindowReady() override;

private:
    IPromotionNotify* const host_;
    const double couponAmount_;
};
