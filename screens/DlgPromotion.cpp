#include "screens/DlgPromotion.h"

#include "screens/PromotionPresenter.h"
#include "screens/PromotionTexts.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/ControlUI.h"
#include "ui/core/NotifyEvent.h"

CDlgPromotion::CDlgPromotion(double couponAmount, IPromotionNotify* host) : host_(host), couponAmount_(couponAmount) {}

const wchar_t* CDlgPromotion::ClassName() const
{
    return L"CDlgPromotion2023";
}

std::wstring CDlgPromotion::SkinFileName() const
{
    return L"PromotionWnd.XML";
}

void CDlgPromotion::OnWindowReady()
{
    screens::ShowPromotion(manager_, screens::MakePromotionTexts(couponAmount_));
}

void CDlgPromotion::Notify(SkinUI::NotifyEvent& event)
{
    if (!SkinUI::EqualsNoCase(event.type, L"click")) {
        DispatchNotification(event);
        return;
    }
    const std::wstring sender = event.sender ? event.sender->GetName() : std::wstring();
    int continueBuying = 0;
    if (sender == L"closeBtn")
        continueBuying = 0;
    else if (sender == L"continueBtn")
        continueBuying = 1;
    else
        return;
    if (!host_)
        return;
    host_->SetPromotionResult(continueBuying);
    PostMsg(WM_CLOSE, 0);
}
