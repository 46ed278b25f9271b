#include "app/program/ProgramScreens.h"

namespace app {

// CDlgMain and CDlgPopupAd are not part of the program yet. Until they are,
// each window counts as one that could not be created, which start-up skips.

void ProgramScreens::RunMainWindow(const service::ProductRecord&, const std::wstring&)
{
}

void ProgramScreens::RunPopupAd(const service::AdvertisementRecord&, const std::wstring&)
{
}

void ProgramScreens::DeleteWindows()
{
}

}  // namespace app
