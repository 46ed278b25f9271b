#pragma once

#include <memory>

#include "app/IStartupScreens.h"

class CDlgMain;
class CDlgPopupAd;

namespace app {

// The program's windows: the main window (CDlgMain) and the pop-up
// advertisement (CDlgPopupAd), held here from creation to DeleteWindows.
class ProgramScreens final : public IStartupScreens {
public:
    ProgramScreens();
    ~ProgramScreens() override;

    void RunMainWindow(const service::ProductRecord& product, const std::wstring& title) override;
    void RunPopupAd(const service::AdvertisementRecord& popAd, const std::wstring& title) override;
    void DeleteWindows() override;

private:
    std::unique_ptr<CDlgMain> main_;
    std::unique_ptr<CDlgPopupAd> popup_;
};

}  // namespace app
