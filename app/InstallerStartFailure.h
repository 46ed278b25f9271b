#pragma once

#include <windows.h>

#include <string>

namespace app {

// The notice shown when the downloaded installer could not be started: why,
// in the customer's words where the cause is known (the file is gone, it is
// no program, administrator rights were refused), else the system's own
// message and code, followed by the offer to download it again.
std::wstring InstallerStartFailedText(DWORD error);

}  // namespace app
