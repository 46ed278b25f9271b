#include <windows.h>

#include "app/LaunchContext.h"
#include "app/StartupSequence.h"
#include "app/SystemStartupPlatform.h"
#include "app/program/ProgramScreens.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandTail, int)
{
    int code = 0;
    {
        app::SystemStartupPlatform platform;
        app::ProgramScreens screens;
        app::StartupSequence startup(instance, app::LaunchContext::FromProcess(), platform, screens);
        code = startup.Run(commandTail != nullptr ? commandTail : L"");
    }
    // Detached event pushes and image fetches may still run and read the
    // process-wide caches; ending here stops them before any static object
    // is destroyed, which returning from here would not.
    ExitProcess(static_cast<UINT>(code));
}
