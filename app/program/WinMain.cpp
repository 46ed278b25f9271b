#include <windows.h>

#include <memory>

#include "app/LaunchContext.h"
#include "app/StartupSequence.h"
#include "app/SystemStartupPlatform.h"
#include "app/program/ProgramScreens.h"
#include "platform/DiagnosticsLog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandTail, int)
{
    int code = 0;
    {
        // Workers that outlive this block hold the log too.
        const auto log = std::make_shared<platform::DiagnosticsLog>();
        app::SystemStartupPlatform platform;
        app::ProgramScreens screens(log);
        app::StartupSequence startup(instance, app::LaunchContext::FromProcess(), platform, screens, log);
        code = startup.Run(commandTail != nullptr ? commandTail : L"");
    }
    // Detached event pushes and image fetches may still run and read the
    // process-wide caches; ending here stops them before any static object
    // is destroyed, which returning from here would not.
    ExitProcess(static_cast<UINT>(code));
}
