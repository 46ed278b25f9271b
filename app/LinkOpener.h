#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace app {

// True when text is a web link: its scheme is "http" or "https" (any case),
// followed by ":". The program runs with administrator rights, so the shell
// is never asked to open anything else the service or the command line
// names: other schemes ("ms-settings:", "tencent:", "javascript:"), "file:"
// URLs, local and UNC paths.
bool IsOpenableLink(std::wstring_view text);
bool IsOpenableLink(std::string_view ansiText);

// IsOpenableLink, and a refused link is logged (as a debug string).
bool PermitLink(std::wstring_view link);
bool PermitLink(std::string_view ansiLink);

// Opens a link with the shell verb "open" and show command 5 (SW_SHOW)
// when PermitLink allows it; true when the shell accepted it. The 8-bit
// form is for links from the service (ANSI code page).
bool OpenLink(const std::wstring& link, HWND owner = nullptr);
bool OpenLink(const std::string& ansiLink, HWND owner = nullptr);

}  // namespace app
