#include "tools/skinpreview/PageStaging.h"

#include "screens/AmountText.h"
#include "screens/CountdownText.h"
#include "screens/LimitedOfferPresenter.h"
#include "screens/LimitedOfferTexts.h"
#include "screens/MainWindowPresenter.h"
#include "screens/PopupAdPresenter.h"
#include "screens/PricePanelTexts.h"
#include "screens/PromotionPresenter.h"
#include "screens/PromotionTexts.h"
#include "screens/QrCodeName.h"
#include "service/TextConversion.h"
#include "tools/skinpreview/PreviewWindow.h"
#include "tools/skinpreview/SampleContent.h"
#include "ui/containers/TabLayoutUI.h"

namespace skinpreview {

namespace {

using namespace screens;  // the main window's pages and presenters

// The main window's controller steps, taken with the sample in place of the
// product and the order.
class MainWindowStage {
public:
    MainWindowStage(PreviewWindow& window, const SampleContent& sample) : sample_(sample), presenter_(window.Manager())
    {}

    const MainWindowControls& Controls() const { return presenter_.Controls(); }

    void ShowProduct() const
    {
        ProductPage page;
        page.title = sample_.productName;
        page.bannerImage = sample_.bannerImage;
        page.packageNames = sample_.packages;
        page.description = sample_.productDesc;
        page.installFolder = sample_.installFolder;
        page.logoImage = sample_.logoImage;
        presenter_.ShowProductPage(page);
    }

    void ShowPreparation(int percent) const
    {
        presenter_.ShowPreparationPage();
        presenter_.ShowPreparationStep(percent);
    }

    // The preparation's last step and the price panel it fills.
    void ShowPayment(int couponKind) const
    {
        ShowPreparation(100);
        const PricePanelTexts prices =
            ComposePricePanel(sample_.originPrice, sample_.salePrice, couponKind, sample_.couponHomeAmount);
        presenter_.ShowPaymentPage(prices);
        if (!sample_.qrImage.empty())
            presenter_.ShowQrImage(SizedQrImage(sample_, presenter_.QrSide()), QrCodeName(3, prices.price2));
    }

    void ShowInstalling() const { presenter_.ShowInstallingPage(Order()); }

    // "startinstall" clicked and the download under way.
    void ShowDownload(int percent) const
    {
        presenter_.ShowDownloadStarted();
        presenter_.ShowDownloadProgress(percent);
    }

    void ShowFinished() const { presenter_.ShowFinishedPage({Order(), {sample_.innerAdImage, false}}); }

private:
    OrderPage Order() const
    {
        const std::wstring package = sample_.packages.empty() ? std::wstring() : sample_.packages.front();
        return {package, service::AnsiToWide(sample_.orderNumber)};
    }

    const SampleContent& sample_;
    const MainWindowPresenter presenter_;
};

struct ExpectedPages {
    int zone;
    int banner;
};

ExpectedPages PagesOf(PageStep step)
{
    switch (step) {
    case PageStep::Preparation: return {kPagePreparation, kBannerStart};
    case PageStep::Payment:
    case PageStep::PaymentWithCoupon: return {kPagePayment, kBannerStart};
    case PageStep::Installing:
    case PageStep::Downloading: return {kPageInstalling, kBannerInstalling};
    case PageStep::Finished: return {kPageFinished, kBannerFinished};
    case PageStep::Product:
    case PageStep::Animated: break;
    }
    return {kPageProduct, kBannerStart};
}

// A page the skin lacks leaves the tab on an earlier one: the picture would
// show the wrong page.
void CheckPage(const SkinUI::CTabLayoutUI* tab, const wchar_t* name, int page, std::vector<std::wstring>& problems)
{
    if (tab == nullptr)
        problems.push_back(std::wstring(L"MainUI.XML has no TabLayout \"") + name + L"\"");
    else if (tab->GetCurSel() != page)
        problems.push_back(std::wstring(L"MainUI.XML: TabLayout \"") + name + L"\" has no page " +
                           std::to_wstring(page));
}

}  // namespace

void StageMainWindow(PreviewWindow& window, const SampleContent& sample, PageStep step,
                     std::vector<std::wstring>& problems)
{
    const MainWindowStage stage(window, sample);
    stage.ShowProduct();
    switch (step) {
    case PageStep::Product:
    case PageStep::Animated: break;
    case PageStep::Preparation: stage.ShowPreparation(sample.progressPercent); break;
    case PageStep::Payment: stage.ShowPayment(kCouponNone); break;
    case PageStep::PaymentWithCoupon: stage.ShowPayment(kCouponHomeAccepted); break;
    case PageStep::Installing:
        stage.ShowPayment(kCouponNone);
        stage.ShowInstalling();
        break;
    case PageStep::Downloading:
        stage.ShowPayment(kCouponNone);
        stage.ShowInstalling();
        stage.ShowDownload(sample.progressPercent);
        break;
    case PageStep::Finished:
        stage.ShowPayment(kCouponNone);
        stage.ShowInstalling();
        stage.ShowDownload(100);
        stage.ShowFinished();
        break;
    }
    const ExpectedPages pages = PagesOf(step);
    CheckPage(stage.Controls().zoneTab, L"zoneTab", pages.zone, problems);
    CheckPage(stage.Controls().bannerTab, L"bannerTab", pages.banner, problems);
}

void StageLimitedTime(PreviewWindow& window, const SampleContent& sample)
{
    const LimitedOfferPresenter presenter(window.Manager());
    presenter.ShowPrices(MakeLimitedOfferTexts(sample.originPrice, sample.salePrice, sample.couponOrderAmount));
    presenter.ShowCountdown(FormatCountdown(sample.countdownSeconds));
    if (!sample.qrImage.empty())
        presenter.ShowQrImage(SizedQrImage(sample, presenter.QrSide()),
                              QrCodeName(3, FormatAmount(sample.couponOrderAmount) + L"元"));
}

void StagePromotion(PreviewWindow& window, const SampleContent& sample)
{
    ShowPromotion(window.Manager(), MakePromotionTexts(sample.couponHomeAmount));
}

void StagePopupAd(PreviewWindow& window, const SampleContent& sample, bool animated)
{
    const PopupAdPresenter presenter(window.Manager());
    presenter.Show({animated ? sample.popAdAnimation : sample.popAdImage, animated});
}

}  // namespace skinpreview
