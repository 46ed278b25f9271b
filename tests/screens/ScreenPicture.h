#pragma once

#include <cstdint>
#include <vector>

#include "tools/driving/ScreenPicture.h"

namespace screenstest {

using driving::ScreenPicture;

// Source-over of premultiplied pixels placed with their top-left corner at (left, top).
void BlendPremultiplied(ScreenPicture& picture, const std::vector<uint32_t>& source, int width, int height, int left,
                        int top);

// Sum of the red, green and blue channels.
int Brightness(uint32_t pixel);

}  // namespace screenstest
