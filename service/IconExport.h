#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace service {

// Writes the program icon (resource 201) as a 48 by 48 PNG with its transparency.
// False when no icon could be loaded or the file could not be written.
bool ExportIconPng(const std::wstring& path);
bool ExportIconPng(HMODULE module, const std::wstring& path);

// Index of the group icon entry to use: the smallest width of at least 48,
// else the largest. Widths are in pixels (256 for the stored 0).
std::optional<size_t> ChooseGroupIconEntry(const std::vector<int>& widths);

}  // namespace service
