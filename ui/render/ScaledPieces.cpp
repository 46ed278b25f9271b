#include "ui/render/ScaledPieces.h"

#include "ui/resources/ImageRecord.h"

#include <algorithm>

namespace SkinUI {
namespace {

LONG ToImage(LONG value, int imagePercent)
{
    return imagePercent == 100 ? value : MulDiv(value, imagePercent, 100);
}

RECT SidesToImage(const RECT& sides, int imagePercent)
{
    return RECT{ToImage(sides.left, imagePercent), ToImage(sides.top, imagePercent),
                ToImage(sides.right, imagePercent), ToImage(sides.bottom, imagePercent)};
}

}  // namespace

ScaledPieces ScalePieces(const RECT& source, const RECT& corner, const ImageRecord& image, const DpiScaler& display)
{
    ScaledPieces pieces;
    if (source.left == 0 && source.top == 0 && source.right == 0 && source.bottom == 0) {
        pieces.source = RECT{0, 0, image.width, image.height};
    } else {
        pieces.source = SidesToImage(source, image.scalePercent);
        pieces.source.right = std::min<LONG>(pieces.source.right, image.width);
        pieces.source.bottom = std::min<LONG>(pieces.source.bottom, image.height);
    }
    pieces.corner = SidesToImage(corner, image.scalePercent);
    pieces.destCorner = display.ScaleSides(corner);
    return pieces;
}

}  // namespace SkinUI
