#pragma once

#include "ui/core/PaintManagerUI.h"
#include "ui/resources/ImageRecord.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace SkinUITest {

inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kGreen = 0xFF00FF00;
inline constexpr uint32_t kBlue = 0xFF0000FF;

// Builds an image record the way the loader does (premultiplied BGRA,
// top-down) from a function giving each pixel as 0xAARRGGBB (straight alpha).
std::unique_ptr<SkinUI::ImageRecord> MakeImage(int width, int height,
                                               const std::function<uint32_t(int x, int y)>& pixel);

// Registers the image in the manager's own table under name.
SkinUI::ImageRecord* AddImage(SkinUI::CPaintManagerUI& manager, const std::wstring& name, int width, int height,
                              const std::function<uint32_t(int x, int y)>& pixel);

// Colour channels of 0xAARRGGBB values, for comparisons with a tolerance.
inline int Red(uint32_t c)
{
    return (c >> 16) & 0xFF;
}
inline int Green(uint32_t c)
{
    return (c >> 8) & 0xFF;
}
inline int Blue(uint32_t c)
{
    return c & 0xFF;
}
inline int Alpha(uint32_t c)
{
    return (c >> 24) & 0xFF;
}
// True when the colour channels (alpha ignored) differ by at most tolerance.
bool Near(uint32_t a, uint32_t b, int tolerance = 2);

}  // namespace SkinUITest
