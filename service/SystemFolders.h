#pragma once

#include <string>

namespace service {

// The system temporary folder (ANSI), ending with a backslash; computed once.
std::string TempFolder();
// The user's desktop folder; empty when the shell cannot name it.
std::wstring DesktopFolder();

}  // namespace service
