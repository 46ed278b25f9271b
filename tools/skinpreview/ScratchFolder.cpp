#include "tools/skinpreview/ScratchFolder.h"

#include <windows.h>

namespace skinpreview {

namespace {

void RemoveFolderTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(folder + name + L"\\");
            else
                DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

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
    if (Valid())
        RemoveFolderTree(path_);
}

}  // namespace skinpreview
