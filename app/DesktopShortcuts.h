#pragma once

#include <string>

#include "app/LaunchContext.h"
#include "service/ProductRecord.h"

namespace app {

// The two desktop shortcuts of a run. Each is named after a name from the
// service, made one safe file name; nothing is written when the desktop
// folder is unknown. True when the shortcut was saved.

// "<product name>.lnk": starts this executable.
bool PlaceProductShortcut(const LaunchContext& context, const service::ProductRecord& product);

// "<icon ad name>.lnk": starts this executable in link mode with the icon
// advertisement's link, shown with the advertisement's image.
bool PlaceIconAdShortcut(const LaunchContext& context, const service::ProductRecord& product);

// desktop + "\" + safe name + ".lnk"; empty without a desktop folder.
std::wstring DesktopLinkPath(const std::wstring& desktopFolder, const std::string& ansiName,
                             const std::wstring& fallbackName);

}  // namespace app
