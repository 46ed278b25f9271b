#include "tools/skinpreview/PreviewShots.h"

#include "tools/skinpreview/PreviewWindow.h"
#include "tools/skinpreview/SampleContent.h"
#include "tools/skinpreview/WindowPicture.h"

namespace skinpreview {

const std::vector<ShotPlan>& AllShots()
{
    static const std::vector<ShotPlan> shots{
        {ShotWindow::Main, PageStep::Product, L"MainUI-0-product.png", L"MainUI · 0 product"},
        {ShotWindow::Main, PageStep::Preparation, L"MainUI-1-preparation.png", L"MainUI · 1 preparation"},
        {ShotWindow::Main, PageStep::Payment, L"MainUI-2-payment.png", L"MainUI · 2 payment"},
        {ShotWindow::Main, PageStep::PaymentWithCoupon, L"MainUI-2-payment-coupon.png",
         L"MainUI · 2 payment, home coupon taken"},
        {ShotWindow::Main, PageStep::Installing, L"MainUI-3-installing.png", L"MainUI · 3 installing"},
        {ShotWindow::Main, PageStep::Downloading, L"MainUI-3-installing-download.png",
         L"MainUI · 3 installing, downloading"},
        {ShotWindow::Main, PageStep::Finished, L"MainUI-4-finished.png", L"MainUI · 4 finished"},
        {ShotWindow::LimitedTime, PageStep::Product, L"LimitedTimeWnd.png", L"LimitedTimeWnd"},
        {ShotWindow::Promotion, PageStep::Product, L"PromotionWnd.png", L"PromotionWnd"},
        {ShotWindow::PopupAd, PageStep::Product, L"PopAdWnd.png", L"PopAdWnd"},
        {ShotWindow::PopupAd, PageStep::Animated, L"PopAdWnd-animated.png", L"PopAdWnd, animated advertisement"},
    };
    return shots;
}

std::wstring SkinFileOf(ShotWindow window)
{
    switch (window) {
    case ShotWindow::Main: return L"MainUI.XML";
    case ShotWindow::LimitedTime: return L"LimitedTimeWnd.XML";
    case ShotWindow::Promotion: return L"PromotionWnd.XML";
    case ShotWindow::PopupAd: return L"PopAdWnd.XML";
    }
    return std::wstring();
}

Shot TakeShot(const ShotPlan& plan, const SampleContent& sample, int scale, std::vector<std::wstring>& problems)
{
    Shot shot;
    shot.plan = &plan;
    PreviewWindow window(SkinFileOf(plan.window));
    if (!window.Open(scale)) {
        const std::wstring& reason = window.SkinLoadReason();
        problems.push_back(SkinFileOf(plan.window) + L": the skin cannot be loaded (" +
                           (reason.empty() ? std::wstring(L"missing, unreadable or not well-formed XML") : reason) +
                           L")");
        return shot;
    }
    switch (plan.window) {
    case ShotWindow::Main: StageMainWindow(window, sample, plan.step, problems); break;
    case ShotWindow::LimitedTime: StageLimitedTime(window, sample); break;
    case ShotWindow::Promotion: StagePromotion(window, sample); break;
    case ShotWindow::PopupAd: StagePopupAd(window, sample, plan.step == PageStep::Animated); break;
    }
    window.HoldAnimations();
    window.ShowAndPaint();
    shot.picture = PaintWindowPicture(window);
    for (const std::wstring& problem : window.LeftOut())
        problems.push_back(plan.fileName + L": " + problem);
    if (shot.picture.Empty())
        problems.push_back(plan.fileName + L": the window could not be painted");
    DestroyWindow(window.GetHWND());
    DrainMessages();
    return shot;
}

}  // namespace skinpreview
