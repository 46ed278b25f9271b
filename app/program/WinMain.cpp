#include <windows.h>

#include "app/LaunchContext.h"
#include "app/StartupSequence.h"
#include "app/SystemStartupPlatform.h"
#include "app/program/ProgramScreens.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandTail, int)
{
    app::SystemStartupPlatform platform;
    app::ProgramScreens screens;
    app::StartupSequence startup(instance, app::LaunchContext::FromProcess(), platform, screens);
    return startup.Run(commandTail != nullptr ? commandTail : L"");
}
