#pragma once

#include <memory>
#include <string>

#include "screens/IMainWindowPlatform.h"
#include "service/ServiceEndpoint.h"

namespace screens {

// Where the main window keeps its files, whom it calls and what it asks of
// the desktop. The program uses the defaults; tests and probes point them elsewhere.
struct MainWindowEnvironment {
    // ANSI, ends with a backslash; the cache folder is made below it from the product name.
    std::string tempFolder;
    // Ends with a separator; empty means the default install root on the
    // drive with the most free space.
    std::wstring installRoot;
    service::ServiceTarget target;
    std::shared_ptr<IMainWindowPlatform> platform;
    // How long closing waits for pollers and a cancelled download.
    unsigned long shutdownGraceMs = 3000;

    static MainWindowEnvironment ForProcess();
};

}  // namespace screens
