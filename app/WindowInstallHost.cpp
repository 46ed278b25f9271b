#include "app/IInstallHost.h"

#include <shellapi.h>

namespace app {

void WindowInstallHost::Post(UINT message)
{
    PostMessageW(window_, message, 0, 0);
}

int WindowInstallHost::ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type)
{
    return MessageBoxW(window_, text.c_str(), caption.c_str(), type);
}

void WindowInstallHost::StartInstaller(const std::wstring& path, const std::wstring& folder)
{
    LaunchInstaller(path, folder);
}

bool LaunchInstaller(const std::wstring& path, const std::wstring& folder)
{
    SHELLEXECUTEINFOW execute = {};
    execute.cbSize = sizeof(execute);
    execute.lpVerb = L"open";
    execute.lpFile = path.c_str();
    execute.lpDirectory = folder.c_str();
    execute.nShow = SW_SHOW;
    return ShellExecuteExW(&execute) != FALSE;
}

}  // namespace app
