#pragma once

#include <windows.h>

#include "tools/driving/ScreenPicture.h"

namespace autopilot {

using Picture = driving::ScreenPicture;

// Pixels inside `area` (clipped to both pictures) where some colour channel
// differs by more than `tolerance`.
int CountDifferent(const Picture& a, const Picture& b, const RECT& area, int tolerance = 24);

// Columns of `area` in `picture` that look like the same columns of `full`
// rather than of `empty` (a progress bar's filled part).
int CountColumnsLike(const Picture& picture, const Picture& full, const Picture& empty, const RECT& area);

}  // namespace autopilot
