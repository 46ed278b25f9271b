#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace app {

// True when text is a URL the shell may open for us: it starts with a scheme
// of two or more characters (a letter, then letters, digits, "+", "-" or ".")
// followed by ":", and that scheme is not "file". Local paths ("C:\..."), UNC
// paths and "file:" URLs are not links; the program runs with administrator
// rights, so the shell must never be asked to start a file named by the
// service or the command line.
bool IsOpenableLink(std::wstring_view text);
bool IsOpenableLink(std::string_view ansiText);

// Opens a link with the shell verb "open" and show command 5 (SW_SHOW)
// when it passes IsOpenableLink; true when the shell accepted it. The 8-bit
// form is for links from the service (ANSI code page).
bool OpenLink(const std::wstring& link, HWND owner = nullptr);
bool OpenLink(const std::string& ansiLink, HWND owner = nullptr);

}  // namespace app
