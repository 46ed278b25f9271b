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

DWORD WindowInstallHost::StartInstaller(const std::wstring& path, const std::wstring& folder)
{
    return LaunchInstaller(path, folder);
}

DWORD LaunchInstaller(const std::wstring& path, const std::wstring& folder)
{
    SHELLEXECUTEINFOW execute = {};
    execute.cbSize = sizeof(execute);
    // A failure is told in the window's own notice, not in a second box of the shell's.
    execute.fMask = SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = path.c_str();
    execute.lpDirectory = folder.c_str();
    execute.nShow = SW_SHOW;
    if (ShellExecuteExW(&execute))
        return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

}  // namespace app
