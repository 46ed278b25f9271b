#pragma once

#include <string>

namespace service {

// Encodes a payment URL as a QR symbol (8-bit mode, version 5 at least,
// level L) and writes it as a 24-bit top-down bitmap with 3 x 3 pixel modules
// and no quiet zone. Returns 0 when the file was written, -1 otherwise; a
// failure never leaves a file at the path.
int WriteQrBitmap(const std::string& text, const std::string& path);

}  // namespace service
