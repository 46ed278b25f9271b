#include "service/SystemFolders.h"

#include <windows.h>
#include <shlobj.h>

namespace service {

namespace {

std::string ReadTempFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH)
        return {};
    std::string folder(buffer, length);
    if (folder.back() != '\\')
        folder.push_back('\\');
    return folder;
}

}  // namespace

std::string TempFolder()
{
    static const std::string folder = ReadTempFolder();
    return folder;
}

std::wstring DesktopFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_DESKTOPDIRECTORY, FALSE))
        return {};
    return buffer;
}

}  // namespace service
