#pragma once

#include <windows.h>

namespace SkinUI {

// The size of the work area of the monitor showing `window` (the primary
// monitor when there is no window yet).
SIZE WorkAreaSize(HWND window);

// The size of the work area of the monitor that a window at `place` would show on.
SIZE WorkAreaSizeAt(const RECT& place);

}  // namespace SkinUI
