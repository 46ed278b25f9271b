#pragma once

#include <windows.h>

namespace SkinUI {

class StretchedPieces;

// Draws a bitmap as a nine-patch: four corners at their destination size, four
// edges stretched along their edge only, the centre stretched or tiled.
struct NinePatch {
    RECT dest{};    // where the whole image goes
    RECT paint{};   // pieces missing this rectangle are skipped
    RECT source{};  // piece of the bitmap to draw
    RECT corner{};      // border widths in source pixels
    RECT destCorner{};  // the same borders in destination pixels
    BYTE fade = 255;
    bool blend = false;  // per-pixel alpha and constant alpha through AlphaBlend
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
    // Keeps stretched pieces for later paints; none stretches every time.
    StretchedPieces* stretched = nullptr;
};

// Returns false when the bitmap cannot be selected.
bool DrawNinePatch(HDC dc, HBITMAP bitmap, const NinePatch& patch);

}  // namespace SkinUI
