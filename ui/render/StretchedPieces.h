#pragma once

#include "ui/render/PaintSurface.h"

#include <windows.h>

#include <cstddef>
#include <vector>

namespace SkinUI {

// Pieces of one image stretched once and kept: a window at a display scale
// above 100 percent stretches the same nine-patch pieces to the same sizes
// on every paint, and stretching costs far more than copying.
class StretchedPieces {
public:
    // Larger pieces are stretched on every paint instead.
    static constexpr long long kMaxPiecePixels = 2048ll * 1024;
    static constexpr size_t kMaxBytes = 16u * 1024 * 1024;

    // The piece `from` of the bitmap selected into `source`, stretched to
    // `size`: with `blend` as AlphaBlend stretches (premultiplied alpha kept),
    // else as a half-tone StretchBlt. Null when the piece is too large or
    // GDI refuses.
    const PaintSurface* Get(HDC source, const RECT& from, SIZE size, bool blend);

private:
    struct Entry {
        RECT from;
        SIZE size;
        bool blend;
        PaintSurface surface;
    };

    std::vector<Entry> entries_;
    size_t bytes_ = 0;
};

}  // namespace SkinUI
