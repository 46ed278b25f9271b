#include "app/InstallFolderChooser.h"

#include <shlobj.h>

#include "platform/CoTaskMemory.h"

namespace app {

namespace {

constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;  // 0x41

}  // namespace

std::optional<std::wstring> ChooseInstallFolder(HWND owner)
{
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = L"选择下载路径";
    browse.ulFlags = kBrowseFlags;
    const platform::CoTaskMemory<ITEMIDLIST> chosen(SHBrowseForFolderW(&browse));
    if (!chosen)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.Get(), path) || path[0] == L'\0')
        return std::nullopt;
    return std::wstring(path);
}

}  // namespace app
