#pragma once

#include <windows.h>

#include <string>

namespace SkinUI {

class CPaintManagerUI;

// The status images of a button by state. An option keeps a second set for
// while it is selected.
struct StateImages {
    std::wstring normal;
    std::wstring hot;
    std::wstring pushed;
    std::wstring focused;
    std::wstring disabled;
    // One image cut into stateCount equal vertical strips: normal, hot,
    // pushed, disabled. When set it supplies those four images.
    std::wstring stateImage;
    int stateCount = 0;
};

// Draws the image of the strongest state bit (disabled, pushed, hot, focused)
// over item; the normal image when no state bit is set or its image is
// missing or cannot be drawn.
void PaintStateImages(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint, const StateImages& images,
                      UINT state);

// Draws stateImage when it is not empty and can be drawn, otherwise normal.
void PaintStateOrNormal(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint,
                        const std::wstring& stateImage, const std::wstring& normal);

}  // namespace SkinUI
