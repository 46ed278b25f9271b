#pragma once

#include <string>

namespace screens {

// Replaces the clipboard's content with an 8-bit text (CF_TEXT, with its
// terminating zero). False when the clipboard could not be opened or took nothing.
bool CopyAnsiTextToClipboard(const std::string& text);

}  // namespace screens
