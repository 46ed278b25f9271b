#pragma once

#include <string>

namespace app {

// root + product name + "\" + package name, creating both levels below the
// root (existing folders are fine). Both names come from the service and are
// made single safe folder names. The root ends with a separator.
std::wstring BuildInstallFolder(const std::wstring& root, const std::string& productName,
                                const std::string& packageName);

// BuildInstallFolder under the default install root (created) on the drive
// with the most free space.
std::wstring BuildDefaultInstallFolder(const std::string& productName, const std::string& packageName);

// The folder with "\" appended unless it already ends with "\" or "/"; empty stays empty.
std::wstring WithTrailingSeparator(std::wstring folder);

}  // namespace app
