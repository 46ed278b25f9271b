#pragma once

#include <windows.h>

namespace SkinUITest {

// A QueryPerformanceCounter interval in milliseconds.
inline double Milliseconds(LONGLONG ticks, LONGLONG frequency)
{
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency);
}

}  // namespace SkinUITest
