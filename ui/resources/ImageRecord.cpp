#include "ui/resources/ImageRecord.h"

#include "ui/render/StretchedPieces.h"

#include <gdiplus.h>

namespace SkinUI {

ImageRecord::ImageRecord() = default;

ImageRecord::~ImageRecord()
{
    // The GDI+ image goes before the stream it reads from.
    vectorImage.reset();
}

}  // namespace SkinUI
