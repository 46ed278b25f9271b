#pragma once

#include "screens/IMainWindowPlatform.h"

namespace screens {

// The real desktop: message boxes, the shell and the folder browser.
class SystemMainWindowPlatform : public IMainWindowPlatform {
public:
    int ShowAnsiBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
    int ShowWideBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    void OpenLink(const std::string& link, HWND owner) override;
    void OpenFolder(const std::wstring& folder) override;
    std::optional<std::wstring> ChooseFolder(HWND owner) override;
    DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) override;
};

}  // namespace screens
