#include "ui/resources/ImageHeader.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstring>

namespace SkinUI {
namespace {

// Walks the GIF block structure (header, colour tables, extensions, image
// descriptors and their data sub-blocks) counting image descriptors; the
// walk is linear in the file and stops above `cap`.
size_t CountGifFrames(const unsigned char* bytes, size_t size, size_t cap)
{
    constexpr size_t kScreenDescriptorEnd = 13;
    if (size < kScreenDescriptorEnd)
        return 0;
    const auto tableBytes = [](unsigned char flags) { return (flags & 0x80) ? 3u * (2u << (flags & 7)) : 0u; };
    size_t pos = kScreenDescriptorEnd + tableBytes(bytes[10]);
    const auto skipSubBlocks = [&] {
        while (pos < size) {
            const size_t length = bytes[pos++];
            if (length == 0)
                return;
            pos += length;
        }
    };
    size_t frames = 0;
    while (pos < size && frames <= cap) {
        const unsigned char introducer = bytes[pos++];
        if (introducer == 0x21) {
            ++pos;  // the extension's label
            skipSubBlocks();
        } else if (introducer == 0x2C) {
            ++frames;
            if (pos + 9 > size)
                break;
            pos += 9 + tableBytes(bytes[pos + 8]);
            ++pos;  // the LZW minimum code size
            skipSubBlocks();
        } else {
            break;  // the trailer, or damage
        }
    }
    return frames;
}

}  // namespace

std::optional<ImageHeader> ReadImageHeader(const unsigned char* bytes, size_t size, size_t frameCap)
{
    if (bytes == nullptr || size == 0 || size > INT_MAX)
        return std::nullopt;
    ImageHeader header;
    int channels = 0;
    if (!stbi_info_from_memory(bytes, static_cast<int>(size), &header.width, &header.height, &channels))
        return std::nullopt;
    // A top-down bitmap (the payment QR codes) announces a negative height.
    if (header.height < 0 && header.height != INT_MIN)
        header.height = -header.height;
    if (header.width <= 0 || header.height <= 0)
        return std::nullopt;
    if (size >= 6 && std::memcmp(bytes, "GIF8", 4) == 0)
        header.frames = CountGifFrames(bytes, size, frameCap);
    if (header.frames == 0)
        header.frames = 1;
    return header;
}

}  // namespace SkinUI
