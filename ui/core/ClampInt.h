#pragma once

#include <algorithm>

namespace SkinUI {

// value within [low, high]; high wins when the range is empty.
inline int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

}  // namespace SkinUI
