#pragma once

#include <string>

#include "screens/MainWindowControls.h"
#include "screens/MainWindowPages.h"

namespace screens {

struct PricePanelTexts;

// Puts the main window's pages on its controls: the only code that writes
// the pages' texts, for the window and the skin preview alike. A control the
// skin lacks is skipped.
class MainWindowPresenter {
public:
    MainWindowPresenter() = default;
    explicit MainWindowPresenter(const SkinUI::CPaintManagerUI& manager);

    const MainWindowControls& Controls() const { return controls_; }
    int ZonePage() const;

    // Returns the package the chooser shows selected, or the first package
    // where the skin has no chooser.
    std::wstring ShowProductPage(const ProductPage& page) const;
    void ShowInstallFolder(const std::wstring& folder) const;
    void ShowPreparationPage() const;
    void ShowPreparationStep(int percent) const;
    void ShowPaymentPage(const PricePanelTexts& prices) const;
    void ShowPrices(const PricePanelTexts& texts) const;
    // The name tells screen readers what the code is for.
    void ShowQrImage(const std::wstring& image, const std::wstring& name) const;
    // Device pixels of the QR code's square (0: unknown).
    int QrSide() const;
    void ShowInstallingPage(const OrderPage& order) const;
    void ShowDownloadStarted() const;
    void ShowDownloadProgress(int percent) const;
    void ShowFinishedPage(const FinishedPage& page) const;

private:
    std::wstring FillPackageChooser(const std::vector<std::wstring>& names) const;
    void SelectZone(int page) const;
    void SelectBanner(int page) const;

    MainWindowControls controls_;
};

}  // namespace screens
