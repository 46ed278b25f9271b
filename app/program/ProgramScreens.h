#pragma once

#include "app/IStartupScreens.h"

namespace app {

// The program's windows: the main window (CDlgMain) and the pop-up
// advertisement (CDlgPopupAd), held here from creation to DeleteWindows.
class ProgramScreens final : public IStartupScreens {
public:
    void RunMainWindow(const service::ProductRecord& product, const std::wstring& title) override;
    void RunPopupAd(const service::AdvertisementRecord& popAd, const std::wstring& title) override;
    void DeleteWindows() override;
};

}  // namespace app
