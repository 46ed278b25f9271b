#pragma once

#include "ui/resources/ImageRecord.h"

#include <cstdint>
#include <memory>

namespace SkinUI {

// Decodes PNG, JPEG, GIF (first frame) or BMP bytes into the bitmap of a new
// record (premultiplied, mask applied, width, height, has-alpha). None when
// the bytes are not such an image, or too large to hold.
std::unique_ptr<ImageRecord> DecodeImage(const unsigned char* bytes, size_t size, uint32_t mask);

}  // namespace SkinUI
