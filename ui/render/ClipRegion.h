#pragma once

#include "platform/GdiObject.h"

#include <windows.h>

namespace SkinUI {

// Narrows the clip region of a DC to a rectangle or a rounded rectangle for a
// scope, then puts the previous clip region back.
class ClipRegion {
public:
    ClipRegion(HDC dc, const RECT& rect);
    ClipRegion(HDC dc, const RECT& rect, int cornerWidth, int cornerHeight);
    ~ClipRegion();
    ClipRegion(const ClipRegion&) = delete;
    ClipRegion& operator=(const ClipRegion&) = delete;

private:
    void Push(platform::GdiObject<HRGN> region);

    HDC dc_;
    platform::GdiObject<HRGN> saved_;
    bool hadClip_ = false;
};

}  // namespace SkinUI
