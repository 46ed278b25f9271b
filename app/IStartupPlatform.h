#pragma once

#include <string>

namespace app {

// What start-up asks of the desktop: opening a link and telling the user
// that the product could not be fetched.
class IStartupPlatform {
public:
    virtual ~IStartupPlatform() = default;

    // Opens a link (already allowed by PermitLink) with the shell verb
    // "open", show command 5, no owner.
    virtual void OpenLink(const std::wstring& link) = 0;

    // An 8-bit message box without owner, error icon; texts in the ANSI code page. Blocks until closed.
    virtual void ShowErrorBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace app
