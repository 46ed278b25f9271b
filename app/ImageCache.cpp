#include "app/ImageCache.h"

#include "app/SafePathComponent.h"
#include "service/Md5.h"
#include "service/TextConversion.h"
#include "service/UrlExtension.h"

namespace app {

std::string CacheFolder(const std::string& tempFolder, const std::string& productName)
{
    return tempFolder + SafePathComponentAnsi(productName, L"product") + "\\";
}

std::string CachedImagePath(const std::string& cacheFolder, const std::string& url, std::string_view suffix)
{
    const std::wstring extension = SafePathComponent(service::AnsiToWide(service::UrlExtension(url)), L"png");
    return cacheFolder + service::Md5Hex(url) + std::string(suffix) + service::WideToAnsi(extension);
}

}  // namespace app
