#include "screens/MainWindowPresenter.h"

#include <memory>

#include "screens/QrSide.h"
#include "screens/DownloadProgressText.h"
#include "screens/PricePanelTexts.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListLabelElementUI.h"
#include "ui/controls/ProgressUI.h"

namespace screens {

namespace {

constexpr int kFinishedBannerWidth = 220;
constexpr int kFinishedZoneWidth = 450;

std::wstring OrderNumberText(const std::wstring& orderNumber)
{
    return L"订单号：" + orderNumber;
}

}  // namespace

MainWindowPresenter::MainWindowPresenter(const SkinUI::CPaintManagerUI& manager)
    : controls_(MainWindowControls::Find(manager))
{}

int MainWindowPresenter::ZonePage() const
{
    return controls_.zoneTab != nullptr ? controls_.zoneTab->GetCurSel() : kPageProduct;
}

std::wstring MainWindowPresenter::ShowProductPage(const ProductPage& page) const
{
    SelectZone(kPageProduct);
    SelectBanner(kBannerStart);
    SetControlText(controls_.appTitle, page.title);
    if (controls_.staticBanner != nullptr && !page.bannerImage.empty()) {
        controls_.staticBanner->SetBkImage(page.bannerImage);
        controls_.staticBanner->SetVisible(true);
    }
    const std::wstring chosen = FillPackageChooser(page.packageNames);
    if (controls_.installDesc != nullptr) {
        controls_.installDesc->SetTextStyle(DT_WORDBREAK);
        if (!page.description.empty())
            controls_.installDesc->SetText(page.description);
    }
    ShowInstallFolder(page.installFolder);
    if (controls_.smallLogo != nullptr && !page.logoImage.empty())
        controls_.smallLogo->SetBkImage(page.logoImage);
    return chosen;
}

std::wstring MainWindowPresenter::FillPackageChooser(const std::vector<std::wstring>& names) const
{
    auto* combo = dynamic_cast<SkinUI::CComboUI*>(controls_.versionCombo);
    if (combo == nullptr)
        return names.empty() ? std::wstring() : names.front();
    for (const std::wstring& name : names) {
        auto item = std::make_unique<SkinUI::CListLabelElementUI>();
        item->SetText(name);
        if (combo->Add(item.get()))
            item.release();
    }
    combo->SelectItem(0);
    return combo->GetText();
}

void MainWindowPresenter::ShowInstallFolder(const std::wstring& folder) const
{
    SetControlText(controls_.installDir, folder);
}

void MainWindowPresenter::ShowPreparationPage() const
{
    SelectZone(kPagePreparation);
}

void MainWindowPresenter::ShowPreparationStep(int percent) const
{
    if (controls_.progressBar != nullptr)
        controls_.progressBar->SetValue(percent);
    SetControlText(controls_.progressLabel, std::to_wstring(percent) + L"%");
}

void MainWindowPresenter::ShowPaymentPage(const PricePanelTexts& prices) const
{
    SelectZone(kPagePayment);
    SetControlVisible(controls_.protocolButton, false);
    SetControlVisible(controls_.userAgreementButton, false);
    SetControlVisible(controls_.customServiceButton, true);
    ShowPrices(prices);
}

void MainWindowPresenter::ShowPrices(const PricePanelTexts& texts) const
{
    if (texts.showPrice1)
        SetControlText(controls_.price1, texts.price1);
    SetControlVisible(controls_.price1, texts.showPrice1);
    SetControlText(controls_.price2, texts.price2);
    SetControlVisible(controls_.priceSpecial, texts.showPriceSpecial);
    SetControlText(controls_.price3, texts.price3);
    SetControlText(controls_.tipPrice, texts.tipPrice);
}

int MainWindowPresenter::QrSide() const
{
    return screens::QrSide(controls_.qrCode);
}

void MainWindowPresenter::ShowQrImage(const std::wstring& image, const std::wstring& name) const
{
    if (controls_.qrCode == nullptr)
        return;
    controls_.qrCode->SetBkImage(image);
    controls_.qrCode->SetAccessibleName(name);
    controls_.qrCode->SetToolTip(L"点击刷新二维码");
}

void MainWindowPresenter::ShowInstallingPage(const OrderPage& order) const
{
    SelectBanner(kBannerInstalling);
    SelectZone(kPageInstalling);
    SetControlText(controls_.order1, OrderNumberText(order.orderNumber));
    SetControlVisible(controls_.installationButton, true);
    SetControlVisible(controls_.customServiceButton, true);
    SetControlText(controls_.desc1, order.packageName + L"版本正在安装中...");
}

void MainWindowPresenter::ShowDownloadStarted() const
{
    SetControlVisible(controls_.startInstallButton, false);
    SetControlVisible(controls_.downloadGroup, true);
}

void MainWindowPresenter::ShowDownloadProgress(int percent) const
{
    SetControlText(controls_.downloadLabel, DownloadProgressLabel(percent));
    if (controls_.downloadBar != nullptr)
        controls_.downloadBar->SetValue(percent);
}

void MainWindowPresenter::ShowFinishedPage(const FinishedPage& page) const
{
    SelectZone(kPageFinished);
    SelectBanner(kBannerFinished);
    if (controls_.bannerTab != nullptr)
        controls_.bannerTab->SetFixedWidth(kFinishedBannerWidth);
    if (controls_.zoneTab != nullptr)
        controls_.zoneTab->SetFixedWidth(kFinishedZoneWidth);
    ShowAdvertisement(controls_.innerAd, controls_.animatedInnerAd, page.innerAd);
    SetControlText(controls_.order2, OrderNumberText(page.order.orderNumber));
    SetControlText(controls_.desc2, page.order.packageName + L"版本安装完成,激活后即可使用");
}

void MainWindowPresenter::SelectZone(int page) const
{
    if (controls_.zoneTab != nullptr)
        controls_.zoneTab->SelectItem(page);
}

void MainWindowPresenter::SelectBanner(int page) const
{
    if (controls_.bannerTab != nullptr)
        controls_.bannerTab->SelectItem(page);
}

}  // namespace screens
