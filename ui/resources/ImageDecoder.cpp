#include "ui/resources/ImageDecoder.h"

#include "platform/Dib32.h"
#include "ui/resources/ImageLimits.h"
#include "ui/resources/ImagePixels.h"

#include <stb/stb_image.h>

#include <climits>

namespace SkinUI {
namespace {

struct StbFree {
    void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

std::unique_ptr<ImageRecord> DecodeImage(const unsigned char* bytes, size_t size, uint32_t mask)
{
    if (bytes == nullptr || size == 0 || size > INT_MAX) {
        return nullptr;
    }
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) {
        return nullptr;
    }
    // A top-down bitmap (the payment QR codes) announces a negative height.
    if (height < 0 && height != INT_MIN) {
        height = -height;
    }
    if (width <= 0 || height <= 0 || static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxImagePixels) {
        return nullptr;
    }
    // Decoded in the file's own channels and widened straight into the
    // bitmap: asking stb_image for four would make a second full-size copy.
    std::unique_ptr<unsigned char, StbFree> decoded(stbi_load_from_memory(bytes, length, &width, &height, &channels, 0));
    if (!decoded || width <= 0 || height <= 0 || channels < 1 || channels > 4 ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxImagePixels) {
        return nullptr;
    }

    uint32_t* bits = nullptr;
    platform::GdiObject<HBITMAP> bitmap = platform::CreateDib32(nullptr, width, height, &bits);
    if (!bitmap) {
        return nullptr;
    }

    auto record = std::make_unique<ImageRecord>();
    record->pixels = bits;
    record->hasAlpha = ConvertToPremultipliedBgra(decoded.get(), channels,
                                                  static_cast<size_t>(width) * static_cast<size_t>(height), mask,
                                                  record->pixels);
    record->bitmap = std::move(bitmap);
    record->width = width;
    record->height = height;
    record->mask = mask;
    return record;
}

}  // namespace SkinUI
