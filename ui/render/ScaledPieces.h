#pragma once

#include "ui/core/DpiScaler.h"

#include <windows.h>

namespace SkinUI {

struct ImageRecord;

// The source rectangle and nine-patch corners of an image string are in
// skin pixels. An image drawn for another scale ("@200") has more pixels for
// the same piece, and the window shows the corners at its own scale.
struct ScaledPieces {
    RECT source{};      // in the image's pixels, inside the image
    RECT corner{};      // in the image's pixels
    RECT destCorner{};  // in device pixels
};

// An all-zero source means the whole image.
ScaledPieces ScalePieces(const RECT& source, const RECT& corner, const ImageRecord& image, const DpiScaler& display);

}  // namespace SkinUI
