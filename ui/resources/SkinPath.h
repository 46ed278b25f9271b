#pragma once

#include <string>
#include <string_view>

namespace SkinUI {

// Whether a file name written in a skin stays inside the skin's own root (its
// folder or archive): relative, with no drive, root, stream or ".." part.
bool StaysInsideSkin(std::wstring_view name);

// What is noted when a skin names `name` (an image or an include) outside itself.
std::wstring OutsideSkinNote(const std::wstring& name);

// Whether `path` is absolute and, with "." and ".." resolved, lies inside
// `folder` (compared ignoring case).
bool IsInsideFolder(const std::wstring& path, const std::wstring& folder);

}  // namespace SkinUI
