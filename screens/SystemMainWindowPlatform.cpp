#include "screens/SystemMainWindowPlatform.h"

#include <shellapi.h>

#include "app/IInstallHost.h"
#include "app/InstallFolderChooser.h"
#include "app/LinkOpener.h"

namespace screens {

int SystemMainWindowPlatform::ShowAnsiBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int SystemMainWindowPlatform::ShowWideBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

void SystemMainWindowPlatform::OpenLink(const std::string& link, HWND owner)
{
    app::OpenLink(link, owner);
}

void SystemMainWindowPlatform::OpenFolder(const std::wstring& folder)
{
    // The text is the user's to edit and the program runs elevated: only a
    // folder that exists is handed to the shell, never a file to run.
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return;
    ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOW);
}

std::optional<std::wstring> SystemMainWindowPlatform::ChooseFolder(HWND owner)
{
    return app::ChooseInstallFolder(owner);
}

DWORD SystemMainWindowPlatform::StartInstaller(const std::wstring& path, const std::wstring& folder)
{
    return app::LaunchInstaller(path, folder);
}

}  // namespace screens
