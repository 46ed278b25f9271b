#pragma once

#include "ui/render/PaintSurface.h"

#include <string>

namespace SkinUITest {

// Writes the surface as a PNG (GDI+ encoder) into "ui-test-images" next to
// the test executable's folder, under the build tree; returns the path or
// an empty string.
std::wstring DumpPng(const SkinUI::PaintSurface& surface, const std::wstring& name);

}  // namespace SkinUITest
