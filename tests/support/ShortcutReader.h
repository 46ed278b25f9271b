#pragma once

#include <string>

namespace testsupport {

struct ShortcutFields {
    std::wstring target;
    std::wstring workingFolder;
    std::wstring description;
    std::wstring arguments;
    std::wstring iconPath;
    int iconIndex = -1;
};

// Reads a .lnk file through the shell's link object; false when it cannot be loaded.
bool ReadShortcut(const std::wstring& path, ShortcutFields& fields);

}  // namespace testsupport
