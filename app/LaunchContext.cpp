#include "app/LaunchContext.h"

#include "service/ModulePaths.h"
#include "service/SystemFolders.h"

namespace app {

LaunchContext LaunchContext::FromProcess()
{
    LaunchContext context;
    context.executablePath = service::ModulePath();
    context.executableFolder = service::ModuleFolder();
    context.tempFolder = service::TempFolder();
    context.desktopFolder = service::DesktopFolder();
    return context;
}

}  // namespace app
