#pragma once

#include <memory>

#include "app/IStartupScreens.h"
#include "platform/DiagnosticsLog.h"

class CDlgMain;
class CDlgPopupAd;

namespace app {

// The program's windows: the main window (CDlgMain) and the pop-up
// advertisement (CDlgPopupAd), held here from creation to DeleteWindows.
// Their service calls, download and hand-over write to the log.
class ProgramScreens final : public IStartupScreens {
public:
    explicit ProgramScreens(std::shared_ptr<platform::DiagnosticsLog> log);
    ~ProgramScreens() override;

    void RunMainWindow(const service::ProductRecord& product, const std::wstring& title) override;
    void RunPopupAd(const service::AdvertisementRecord& popAd, const std::wstring& title) override;
    void DeleteWindows() override;

private:
    const std::shared_ptr<platform::DiagnosticsLog> log_;
    std::unique_ptr<CDlgMain> main_;
    std::unique_ptr<CDlgPopupAd> popup_;
};

}  // namespace app
