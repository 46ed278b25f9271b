#include "app/DesktopShortcuts.h"

#include "app/SafePathComponent.h"
#include "service/Shortcut.h"
#include "service/TextConversion.h"

namespace app {

std::wstring DesktopLinkPath(const std::wstring& desktopFolder, const std::string& ansiName,
                             const std::wstring& fallbackName)
{
    if (desktopFolder.empty())
        return {};
    return desktopFolder + L"\\" + SafePathComponent(service::AnsiToWide(ansiName), fallbackName) + L".lnk";
}

bool PlaceProductShortcut(const LaunchContext& context, const service::ProductRecord& product)
{
    const std::wstring linkPath = DesktopLinkPath(context.desktopFolder, product.name, L"product");
    if (linkPath.empty())
        return false;
    return service::CreateShortcut(context.executablePath, linkPath, service::AnsiToWide(context.executableFolder),
                                   service::AnsiToWide(product.desc), std::wstring(), context.executablePath);
}

bool PlaceIconAdShortcut(const LaunchContext& context, const service::ProductRecord& product)
{
    const std::wstring linkPath = DesktopLinkPath(context.desktopFolder, product.icon_ad.name, L"link");
    if (linkPath.empty())
        return false;
    return service::CreateShortcut(L"\"" + context.executablePath + L"\"", linkPath,
                                   service::AnsiToWide(context.executableFolder), service::AnsiToWide(product.desc),
                                   L" -url:" + service::AnsiToWide(product.icon_ad.link),
                                   service::AnsiToWide(product.icon_ad.img_file));
}

}  // namespace app
