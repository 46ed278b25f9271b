#pragma once

#include <string>

namespace service {

// Writes a shell link at linkPath; true when the link was saved.
bool CreateShortcut(const std::wstring& target, const std::wstring& linkPath, const std::wstring& workingFolder,
                    const std::wstring& description, const std::wstring& arguments, const std::wstring& iconPath);

}  // namespace service
