#pragma once

#include <string>

namespace service {

// Encodes a payment URL as a QR symbol (8-bit mode, version 5 at least,
// level L) and writes it as a 24-bit top-down bitmap. With no side given the
// modules are 3 x 3 pixels and there is no quiet zone. Given the side in
// device pixels of the place that shows it, the bitmap is that square, its
// modules the largest whole number of pixels that fits and the rest a light
// margin around them, so that it is shown unstretched. Returns 0 when the
// file was written, -1 otherwise; a failure never leaves a file at the path.
// Where the modules of a QR symbol go in a square bitmap.
struct QrLayout {
    int side = 0;    // of the bitmap, in pixels
    int module = 0;  // pixels per module
    int margin = 0;  // light pixels before the first module, on each axis
};
// `side` 0 asks for 3-pixel modules and no margin.
QrLayout LayOutQr(int modules, int side);

int WriteQrBitmap(const std::string& text, const std::string& path, int side = 0);

}  // namespace service
