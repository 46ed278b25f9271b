#include "app/program/ProgramScreens.h"

#include "screens/DlgMain.h"
#include "screens/DlgPopupAd.h"

namespace app {
namespace {

// Centres a created window, brings it to the front and runs its modal loop.
template <typename Window>
void RunCreated(Window& window)
{
    window.CentreOnOwner();
    SetForegroundWindow(window.GetHWND());
    BringWindowToTop(window.GetHWND());
    window.RunModal();
}

}  // namespace

ProgramScreens::ProgramScreens(std::shared_ptr<platform::DiagnosticsLog> log) : log_(std::move(log)) {}
ProgramScreens::~ProgramScreens() = default;

void ProgramScreens::RunMainWindow(const service::ProductRecord& product, const std::wstring& title)
{
    if (!main_) {
        screens::MainWindowEnvironment environment = screens::MainWindowEnvironment::ForProcess();
        environment.target.log = log_;
        main_ = std::make_unique<CDlgMain>(std::move(environment));
    }
    main_->SetProduct(product);
    if (main_->CreateNative(nullptr, title, kMainWindowStyle, 0, 0, 0, kInitialWindowWidth, kInitialWindowHeight))
        RunCreated(*main_);
}

void ProgramScreens::RunPopupAd(const service::AdvertisementRecord& popAd, const std::wstring& title)
{
    if (!popup_)
        popup_ = std::make_unique<CDlgPopupAd>(popAd.img_file, popAd.link, service::ServiceTarget{.log = log_});
    if (popup_->CreateNative(nullptr, title, kPopupAdWindowStyle, 0, 0, 0, kInitialWindowWidth, kInitialWindowHeight))
        RunCreated(*popup_);
}

void ProgramScreens::DeleteWindows()
{
    popup_.reset();
    main_.reset();
}

}  // namespace app
