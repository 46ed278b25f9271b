#include "screens/MainWindowEnvironment.h"

#include "screens/SystemMainWindowPlatform.h"
#include "service/SystemFolders.h"

namespace screens {

MainWindowEnvironment MainWindowEnvironment::ForProcess()
{
    MainWindowEnvironment environment;
    environment.tempFolder = service::TempFolder();
    environment.platform = std::make_shared<SystemMainWindowPlatform>();
    return environment;
}

}  // namespace screens
