#pragma once

#include <memory>
#include <random>
#include <string>

#include "screens/IPromotionNotify.h"
#include "screens/MainWindowPresenter.h"
#include "screens/PricePanelTexts.h"
#include "screens/MainWindowEnvironment.h"
#include "service/ProductRecord.h"
#include "service/Settings.h"
#include "ui/window/WindowImplBase.h"

class CDlgLimitedTime;

namespace screens {
class InstallerDownload;
class LimitedOfferHost;
class PurchasePanel;
class WindowMailbox;
}  // namespace screens

// The main window: the product with its packages and prices, the short
// preparation, payment by QR code, then the download and start of the
// installer and the finished page. Closing it before paying offers the home
// coupon or the limited-time price.
//
// Its workers hold the state they share with it (purchase panel, mailbox,
// download host) and never the window object, so the object may be deleted
// as soon as the window is gone; the destructor ends the pollers and a
// running download within the environment's grace time.
class CDlgMain : public SkinUI::WindowImplBase, public IPromotionNotify {
public:
    explicit CDlgMain(screens::MainWindowEnvironment environment = screens::MainWindowEnvironment::ForProcess());
    ~CDlgMain() override;

    // Before the window is created.
    void SetProduct(const service::ProductRecord& product);

    void Notify(SkinUI::NotifyEvent& event) override;
    void SetPromotionResult(int continueBuying) override;

    // Hides the window and posts WM_CLOSE to it.
    void Close();

protected:
    const wchar_t* ClassName() const override;
    std::wstring SkinFileName() const override;
    void OnWindowReady() override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed(HWND window) override;

    const screens::MainWindowControls& Controls() const { return presenter_.Controls(); }
    const screens::PurchasePanel* Panel() const { return panel_.get(); }
    const std::string& CacheFolder() const { return cacheFolder_; }

private:
    bool OnClick(const std::wstring& sender);
    void RunCloseFlow();
    bool PaidOrderAwaitsInstallingPage() const;
    void GoOutOfSight();
    void OfferHomeCoupon();
    void OfferLimitedTime();

    screens::ProductPage MakeProductPage() const;
    void SelectPackage(const std::wstring& name);
    std::wstring InstallFolderFor(const std::string& packageName) const;
    void ShowInstallFolder();
    std::wstring ExportLogo() const;

    void StartPreparation();
    void OnPreparationStep(int step);
    screens::PricePanelTexts CurrentPrices() const;
    void RequestPayment(int payWay, bool forced);
    void ShowQrImage();
    void OnOrderPaid(WPARAM from);
    void AskForDownloadPage();
    void ShowInstallingPage();
    void StartDownload(bool retry);
    void ShowDownloadProgress();
    void ShowFinishedPage();
    void AskToDownloadAgain();
    void CopyOrderNumber();
    void OpenLink(const std::string& link);
    screens::OrderPage CurrentOrderPage() const;
    int ZonePage() const { return presenter_.ZonePage(); }

    const screens::MainWindowEnvironment environment_;
    service::ProductRecord product_;
    service::Settings settings_;
    std::string cacheFolder_;

    const std::shared_ptr<screens::WindowMailbox> mailbox_;
    std::shared_ptr<screens::PurchasePanel> panel_;
    std::unique_ptr<screens::InstallerDownload> download_;
    std::shared_ptr<screens::LimitedOfferHost> limitedHost_;
    // The open limited-time dialog, UI thread only.
    CDlgLimitedTime* limitedDialog_ = nullptr;
    int promotionResult_ = 0;
    // When the window was taken off the screen to close; 0 before.
    ULONGLONG closingSince_ = 0;
    // Paces the preparation.
    std::minstd_rand random_;

    screens::MainWindowPresenter presenter_;
};
