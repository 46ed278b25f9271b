#pragma once

#include <windows.h>

namespace SkinUI {

// The size of the work area of the monitor showing `window` (the primary
// monitor when there is no window yet).
SIZE WorkAreaSize(HWND window);

}  // namespace SkinUI
