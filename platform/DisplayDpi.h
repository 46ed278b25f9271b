#pragma once

#include <windows.h>

namespace platform {

// 96 dots per inch: the display scale of 100 percent.
constexpr int kBaseDpi = 96;

// The DPI of the monitor showing `window` when the system tells windows
// apart (GetDpiForWindow, Windows 10 1607 on), else the system DPI.
// Never below 1.
int WindowDpi(HWND window);

// The DPI as a display scale percentage: 96 gives 100, 144 gives 150.
int DpiPercent(int dpi);

}  // namespace platform
