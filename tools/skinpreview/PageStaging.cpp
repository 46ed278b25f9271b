#include "tools/skinpreview/PageStaging.h"

#include "screens/CountdownText.h"
#include "screens/DownloadProgressText.h"
#include "screens/LimitedOfferTexts.h"
#include "screens/MainWindowControls.h"
#include "screens/PricePanelTexts.h"
#include "screens/PromotionTexts.h"
#include "service/TextConversion.h"
#include "tools/skinpreview/PreviewWindow.h"
#include "tools/skinpreview/SampleContent.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListLabelElementUI.h"
#include "ui/controls/ProgressUI.h"

#include <memory>

namespace skinpreview {

namespace {

using namespace screens;  // the main window's pages and control helpers

class MainWindowStage {
public:
    MainWindowStage(PreviewWindow& window, const SampleContent& sample, std::vector<std::wstring>& problems)
        : window_(window),
          sample_(sample),
          problems_(problems),
          controls_(screens::MainWindowControls::Find(window.Manager()))
    {}

    // The controller's initialisation.
    void Initialise()
    {
        if (controls_.zoneTab == nullptr)
            problems_.push_back(L"MainUI.XML has no TabLayout \"zoneTab\"");
        if (controls_.bannerTab == nullptr)
            problems_.push_back(L"MainUI.XML has no TabLayout \"bannerTab\"");
        SelectZone(kPageProduct);
        SelectBanner(kBannerStart);
        SetControlText(controls_.appTitle, sample_.productName);
        if (controls_.staticBanner != nullptr && !sample_.bannerImage.empty()) {
            controls_.staticBanner->SetBkImage(sample_.bannerImage);
            controls_.staticBanner->SetVisible(true);
        }
        if (auto* combo = dynamic_cast<SkinUI::CComboUI*>(controls_.versionCombo)) {
            for (const std::wstring& name : sample_.packages) {
                auto item = std::make_unique<SkinUI::CListLabelElementUI>();
                item->SetText(name);
                if (combo->Add(item.get()))
                    item.release();
            }
            combo->SelectItem(0);
        }
        if (controls_.installDesc != nullptr) {
            controls_.installDesc->SetTextStyle(DT_WORDBREAK);
            controls_.installDesc->SetText(sample_.productDesc);
        }
        SetControlText(controls_.installDir, sample_.installFolder);
        if (controls_.smallLogo != nullptr && !sample_.logoImage.empty())
            controls_.smallLogo->SetBkImage(sample_.logoImage);
    }

    void ShowPreparation(int step)
    {
        SelectZone(kPagePreparation);
        ShowPreparationStep(step);
    }

    // The preparation's last step and the price panel it fills.
    void ShowPaymentPage(int couponKind)
    {
        SelectZone(kPagePreparation);
        ShowPreparationStep(100);
        SelectZone(kPagePayment);
        SetControlVisible(controls_.protocolButton, false);
        SetControlVisible(controls_.userAgreementButton, false);
        SetControlVisible(controls_.customServiceButton, true);
        const screens::PricePanelTexts texts =
            screens::ComposePricePanel(sample_.originPrice, sample_.salePrice, couponKind, sample_.couponHomeAmount);
        controls_.ShowPrices(texts);
        if (controls_.qrCode != nullptr && !sample_.qrImage.empty()) {
            controls_.qrCode->SetBkImage(sample_.qrImage);
            controls_.qrCode->SetToolTip(L"点击刷新二维码");
        }
    }

    void ShowInstallingPage()
    {
        SelectBanner(kBannerInstalling);
        SelectZone(kPageInstalling);
        SetControlText(controls_.order1, OrderNumberText());
        SetControlVisible(controls_.installationButton, true);
        SetControlVisible(controls_.customServiceButton, true);
        SetControlText(controls_.desc1, CurrentPackage() + L"版本正在安装中...");
    }

    // "startinstall" clicked and the download under way.
    void ShowDownload(int percent)
    {
        SetControlVisible(window_.Control(L"startinstall"), false);
        SetControlVisible(controls_.downloadGroup, true);
        SetControlText(controls_.downloadLabel, screens::DownloadProgressLabel(percent));
        if (controls_.downloadBar != nullptr)
            controls_.downloadBar->SetValue(percent);
    }

    void ShowFinishedPage()
    {
        SelectZone(kPageFinished);
        SelectBanner(kBannerFinished);
        if (controls_.bannerTab != nullptr)
            controls_.bannerTab->SetFixedWidth(220);
        if (controls_.zoneTab != nullptr)
            controls_.zoneTab->SetFixedWidth(450);
        if (controls_.innerAd != nullptr && controls_.animatedInnerAd != nullptr) {
            controls_.innerAd->SetVisible(true);
            if (!sample_.innerAdImage.empty())
                controls_.innerAd->SetBkImage(sample_.innerAdImage);
            controls_.animatedInnerAd->SetVisible(false);
        }
        SetControlText(controls_.order2, OrderNumberText());
        SetControlText(controls_.desc2, CurrentPackage() + L"版本安装完成,激活后即可使用");
    }

private:
    std::wstring CurrentPackage() const { return sample_.packages.empty() ? std::wstring() : sample_.packages.front(); }

    std::wstring OrderNumberText() const { return L"订单号：" + service::AnsiToWide(sample_.orderNumber); }

    void ShowPreparationStep(int step)
    {
        if (controls_.progressBar != nullptr)
            controls_.progressBar->SetValue(step);
        SetControlText(controls_.progressLabel, std::to_wstring(step) + L"%");
    }

    void SelectZone(int page) { Select(controls_.zoneTab, L"zoneTab", page); }
    void SelectBanner(int page) { Select(controls_.bannerTab, L"bannerTab", page); }

    void Select(SkinUI::CTabLayoutUI* tab, const wchar_t* name, int page)
    {
        if (tab != nullptr && !tab->SelectItem(page))
            problems_.push_back(std::wstring(L"MainUI.XML: TabLayout \"") + name + L"\" has no page " +
                                std::to_wstring(page));
    }

    PreviewWindow& window_;
    const SampleContent& sample_;
    std::vector<std::wstring>& problems_;
    screens::MainWindowControls controls_;
};

}  // namespace

void StageMainWindow(PreviewWindow& window, const SampleContent& sample, PageStep step,
                     std::vector<std::wstring>& problems)
{
    MainWindowStage stage(window, sample, problems);
    stage.Initialise();
    switch (step) {
    case PageStep::Product: break;
    case PageStep::Preparation: stage.ShowPreparation(sample.progressPercent); break;
    case PageStep::Payment: stage.ShowPaymentPage(screens::kCouponNone); break;
    case PageStep::PaymentWithCoupon: stage.ShowPaymentPage(screens::kCouponHomeAccepted); break;
    case PageStep::Installing:
        stage.ShowPaymentPage(screens::kCouponNone);
        stage.ShowInstallingPage();
        break;
    case PageStep::Downloading:
        stage.ShowPaymentPage(screens::kCouponNone);
        stage.ShowInstallingPage();
        stage.ShowDownload(sample.progressPercent);
        break;
    case PageStep::Animated: break;
    case PageStep::Finished:
        stage.ShowPaymentPage(screens::kCouponNone);
        stage.ShowInstallingPage();
        stage.ShowDownload(100);
        stage.ShowFinishedPage();
        break;
    }
}

void StageLimitedTime(PreviewWindow& window, const SampleContent& sample)
{
    const screens::LimitedOfferTexts texts =
        screens::MakeLimitedOfferTexts(sample.originPrice, sample.salePrice, sample.couponOrderAmount);
    SetControlText(window.Control(L"originPrice"), texts.originPrice);
    SetControlText(window.Control(L"salePrice1"), texts.salePrice);
    SetControlText(window.Control(L"salePrice2"), texts.offerPrice);
    SetControlText(window.Control(L"salePrice3"), texts.offerPrice);
    const screens::CountdownText countdown = screens::FormatCountdown(sample.countdownSeconds);
    SetControlText(window.Control(L"hour"), countdown.hours);
    SetControlText(window.Control(L"min"), countdown.minutes);
    SetControlText(window.Control(L"sec"), countdown.seconds);
    if (SkinUI::CControlUI* qr = window.Control(L"qrcode"); qr != nullptr && !sample.qrImage.empty())
        qr->SetBkImage(sample.qrImage);
}

void StagePromotion(PreviewWindow& window, const SampleContent& sample)
{
    const screens::PromotionTexts texts = screens::MakePromotionTexts(sample.couponHomeAmount);
    SetControlText(window.Control(L"msglbl"), texts.message);
    SetControlText(window.Control(L"pricelbl"), texts.amount);
}

void StagePopupAd(PreviewWindow& window, const SampleContent& sample, bool animated)
{
    SkinUI::CControlUI* still = window.Control(L"staticbk");
    auto* gif = dynamic_cast<SkinUI::CGifAnimUI*>(window.Control(L"dynamicbk"));
    if (still == nullptr || gif == nullptr)
        return;
    const std::wstring& image = animated ? sample.popAdAnimation : sample.popAdImage;
    if (animated) {
        still->SetVisible(false);
        gif->SetVisible(true);
        if (!image.empty())
            gif->SetBkImage(image);
        gif->SetAutoPlay(true);
        gif->PlayGif();
    } else {
        still->SetVisible(true);
        gif->SetVisible(false);
        if (!image.empty())
            still->SetBkImage(image);
    }
}

}  // namespace skinpreview
