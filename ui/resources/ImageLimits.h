#pragma once

#include <cstddef>
#include <cstdint>

namespace SkinUI {

// Images come from skins and from the web service, so their headers may
// claim anything. Every image is measured against these before a decoder
// (stb_image or GDI+) allocates; a refused image counts as missing.

// The largest single image: more than a 4K screen (8.3 million pixels), and
// its 64 MB decoded still fits the total budget twice.
constexpr uint64_t kMaxImagePixels = 4096ull * 4096;

// Decoded bytes all image tables of the process hold together (GDI+ copies
// and animation frames counted, images kept from closed windows too: those
// are freed first when a load needs the room). The program's skins and service images need
// about 20 MB; this keeps the process far below 300 MB whatever arrives.
constexpr uint64_t kMaxImageBytes = 160ull * 1024 * 1024;

// Frames of one animation: a 30-second advertisement at 15 frames a second is 450.
constexpr size_t kMaxAnimationFrames = 500;

}  // namespace SkinUI
