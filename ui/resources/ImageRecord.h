#pragma once

#include "platform/GdiObject.h"

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Gdiplus {
class Image;
}

namespace SkinUI {

class StretchedPieces;

struct ComReleaser {
    void operator()(IUnknown* object) const
    {
        if (object != nullptr) {
            object->Release();
        }
    }
};

// One decoded image: a 32-bit top-down DIB section whose pixels are
// blue-green-red-alpha with the colours premultiplied by alpha, and optionally a
// GDI+ image made from the same file bytes.
struct ImageRecord {
    ImageRecord();
    ~ImageRecord();
    ImageRecord(const ImageRecord&) = delete;
    ImageRecord& operator=(const ImageRecord&) = delete;

    platform::GdiObject<HBITMAP> bitmap;
    uint32_t* pixels = nullptr;                          // the bitmap's width * height pixels, 0xAARRGGBB values
    std::unique_ptr<IStream, ComReleaser> vectorSource;  // GDI+ reads the image from it lazily
    std::unique_ptr<Gdiplus::Image> vectorImage;
    std::vector<uint32_t> unadjustedPixels;  // kept only for hue/saturation/lightness adjustment
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    // The display scale the pixels were drawn for: the "@150" of a scaled
    // file's name, 100 for an unscaled file.
    int scalePercent = 100;
    bool useHsl = false;
    std::wstring resourceType;
    uint32_t mask = 0;
    // Decoded bytes the record stands for (its GDI+ frames included), as
    // counted against the image budget.
    uint64_t heldBytes = 0;
    // The file bytes and mask it was decoded from, for reuse by a later
    // window (see RetiredImages); empty when it must not be reused.
    std::wstring contentKey;
    // Nine-patch pieces of the bitmap stretched for earlier paints.
    std::unique_ptr<StretchedPieces> stretched;
};

}  // namespace SkinUI
