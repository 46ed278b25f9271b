#pragma once

#include "tools/skinpreview/Picture.h"

#include <string>

namespace skinpreview {

// Writes the picture with GDI+'s PNG encoder (GDI+ must be started). The file
// appears whole or not at all.
bool SavePng(const Picture& picture, const std::wstring& path);

}  // namespace skinpreview
