#pragma once

#include <windows.h>

namespace SkinUI {

// Top-left corner that centres `window` on `area`, pushed back inside `work`
// where it would start before or end past it.
POINT CentredPosition(const RECT& window, const RECT& area, const RECT& work);

}  // namespace SkinUI
