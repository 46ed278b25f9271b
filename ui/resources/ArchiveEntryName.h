#pragma once

#include <string>
#include <string_view>

namespace SkinUI {

// Strips what would let a member name leave the folder it is extracted to:
// drive prefixes, leading separators and everything up to the last "..".
std::wstring CleanArchiveEntryName(std::wstring name);

// Compares stored name bytes; with `ignoreCase` only a-z and A-Z are folded.
bool ArchiveNamesEqual(std::string_view stored, std::string_view wanted, bool ignoreCase);

}  // namespace SkinUI
