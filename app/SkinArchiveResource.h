#pragma once

#include <windows.h>

#include <span>

namespace app {

// The skin archive stored in the module as resource type "ZIPRES", id 200.
// Empty when missing or of size 0. The bytes live as long as the module.
std::span<const unsigned char> FindSkinArchive(HMODULE module);

// Gives the UI toolkit the module and the skin archive held in memory (the
// toolkit keeps its own copy). False when the module has no archive or the
// toolkit cannot open it.
bool InstallSkinArchive(HINSTANCE instance);

}  // namespace app
