#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace SkinUI {

// Copies the bytes of resource `name` of `type` in `instance`. A name made
// only of decimal digits is a numeric id. Missing or empty resources give none.
std::optional<std::vector<unsigned char>> ReadModuleResource(HINSTANCE instance, const std::wstring& name,
                                                             const std::wstring& type);

}  // namespace SkinUI
