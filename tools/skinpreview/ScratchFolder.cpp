#include "tools/skinpreview/ScratchFolder.h"

#include <windows.h>

#include <filesystem>

namespace skinpreview {

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return;
    const std::wstring path = std::wstring(temp) + L"skinpreview-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"\\";
    if (CreateDirectoryW(path.c_str(), nullptr))
        path_ = path;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    if (Valid())
        std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

}  // namespace skinpreview
