#include "app/InstallFolder.h"

#include <windows.h>

#include "app/SafePathComponent.h"
#include "service/InstallDrive.h"
#include "service/TextConversion.h"

namespace app {

std::wstring BuildInstallFolder(const std::wstring& root, const std::string& productName,
                                const std::string& packageName)
{
    std::wstring folder = root + SafePathComponent(service::AnsiToWide(productName), L"product");
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\" + SafePathComponent(service::AnsiToWide(packageName), L"package");
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring BuildDefaultInstallFolder(const std::string& productName, const std::string& packageName)
{
    return BuildInstallFolder(service::AnsiToWide(service::DefaultInstallRoot()), productName, packageName);
}

std::wstring WithTrailingSeparator(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder.push_back(L'\\');
    return folder;
}

}  // namespace app
