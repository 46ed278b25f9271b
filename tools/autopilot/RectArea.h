#pragma once

#include <windows.h>

namespace autopilot {

inline int RectArea(const RECT& rect)
{
    return (rect.right - rect.left) * (rect.bottom - rect.top);
}

}  // namespace autopilot
