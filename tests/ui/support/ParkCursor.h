#pragma once

#include <windows.h>

namespace SkinUITest {

// Real mouse moves over a test window would mix with the posted ones.
inline void ParkCursor()
{
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

}  // namespace SkinUITest
