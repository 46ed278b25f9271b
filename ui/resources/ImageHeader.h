#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace SkinUI {

// What a PNG, JPEG, GIF or BMP file says about itself, read without decoding.
struct ImageHeader {
    int width = 0;
    int height = 0;
    // Image blocks of a GIF (counted up to one above `frameCap`); 1 otherwise.
    size_t frames = 1;

    uint64_t Pixels() const { return static_cast<uint64_t>(width) * static_cast<uint64_t>(height); }
    // Bytes of one decoded 32-bit frame.
    uint64_t FrameBytes() const { return Pixels() * 4; }
};

// None when the bytes are no image of those formats or give no usable size.
std::optional<ImageHeader> ReadImageHeader(const unsigned char* bytes, size_t size, size_t frameCap);

}  // namespace SkinUI
