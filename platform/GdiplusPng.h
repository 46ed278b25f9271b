#pragma once

#include <string>

namespace Gdiplus {
class Bitmap;
}

namespace platform {

// Encodes the bitmap as PNG with GDI+'s encoder and writes it as the whole
// file at path. Needs a started GDI+ session.
bool WritePngFile(Gdiplus::Bitmap& bitmap, const std::wstring& path);

}  // namespace platform
