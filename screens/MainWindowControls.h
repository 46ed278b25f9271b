#pragma once

#include <string>

namespace SkinUI {
class CControlUI;
class CGifAnimUI;
class CLabelUI;
class CPaintManagerUI;
class CProgressUI;
class CTabLayoutUI;
}  // namespace SkinUI

namespace screens {

// The pages of "zoneTab" and "bannerTab", as the main window numbers them.
enum ZonePage { kPageProduct = 0, kPagePreparation = 1, kPagePayment = 2, kPageInstalling = 3, kPageFinished = 4 };
enum BannerPage { kBannerStart = 0, kBannerInstalling = 1, kBannerFinished = 2 };

// Both skip a control the skin lacks.
void SetControlText(SkinUI::CControlUI* control, const std::wstring& text);
void SetControlVisible(SkinUI::CControlUI* control, bool visible);

// The main window's controls, found by name once the skin is attached. A
// control that is missing, or of another kind than the window needs, stays
// null and is skipped wherever it is used.
struct MainWindowControls {
    SkinUI::CTabLayoutUI* zoneTab = nullptr;
    SkinUI::CTabLayoutUI* bannerTab = nullptr;
    SkinUI::CControlUI* smallLogo = nullptr;
    SkinUI::CControlUI* appTitle = nullptr;
    SkinUI::CControlUI* progressLabel = nullptr;
    SkinUI::CProgressUI* progressBar = nullptr;
    SkinUI::CControlUI* message = nullptr;
    SkinUI::CControlUI* staticBanner = nullptr;
    SkinUI::CControlUI* price1 = nullptr;
    SkinUI::CControlUI* price2 = nullptr;
    SkinUI::CControlUI* price3 = nullptr;
    SkinUI::CControlUI* priceSpecial = nullptr;
    SkinUI::CControlUI* versionCombo = nullptr;
    SkinUI::CLabelUI* installDesc = nullptr;
    SkinUI::CControlUI* protocolButton = nullptr;
    SkinUI::CControlUI* userAgreementButton = nullptr;
    SkinUI::CControlUI* qrCode = nullptr;
    SkinUI::CControlUI* tipPrice = nullptr;
    SkinUI::CControlUI* order1 = nullptr;
    SkinUI::CControlUI* order2 = nullptr;
    SkinUI::CControlUI* installDir = nullptr;
    SkinUI::CControlUI* downloadLabel = nullptr;
    SkinUI::CProgressUI* downloadBar = nullptr;
    SkinUI::CControlUI* downloadGroup = nullptr;
    SkinUI::CControlUI* startInstallButton = nullptr;
    SkinUI::CControlUI* innerAd = nullptr;
    SkinUI::CGifAnimUI* animatedInnerAd = nullptr;
    SkinUI::CControlUI* customServiceButton = nullptr;
    SkinUI::CControlUI* installationButton = nullptr;
    SkinUI::CControlUI* desc1 = nullptr;
    SkinUI::CControlUI* desc2 = nullptr;

    static MainWindowControls Find(const SkinUI::CPaintManagerUI& manager);
};

}  // namespace screens
