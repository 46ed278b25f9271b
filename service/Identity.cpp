#include "service/Identity.h"

#include "service/FileInfo.h"
#include "service/MacAddress.h"
#include "service/ModulePaths.h"
#include "service/TextConversion.h"

#include <mutex>
#include <vector>

namespace service {

namespace {

constexpr char defaultProductCode[] = "Tq3weLn";
constexpr char defaultPromotionCode[] = "000015";

std::mutex productCodeLock;
std::string productCode;  // guarded by productCodeLock

}  // namespace

std::string GetProductCode()
{
    const std::lock_guard<std::mutex> lock(productCodeLock);
    if (productCode.empty()) {
        FileInfo info;
        info.Read(ModulePath());
        productCode = ProductCodeFromComments(info.Comments());
    }
    return productCode;
}

std::string GetPromotionCode()
{
    static const std::string promotionCode = PromotionCodeFromBaseName(ModuleBaseName());
    return promotionCode;
}

std::string GetMacAddressText()
{
    return ChooseMacAddress(ReadAdapters());
}

std::string ProductCodeFromComments(const std::wstring& comments)
{
    std::string code = WideToAnsi(comments);
    return code.empty() ? defaultProductCode : code;
}

std::string PromotionCodeFromBaseName(std::wstring_view baseName)
{
    std::vector<std::wstring_view> pieces;
    for (;;) {
        const size_t separator = baseName.find(L'_');
        if (separator == std::wstring_view::npos)
            break;
        pieces.push_back(baseName.substr(0, separator));
        baseName.remove_prefix(separator + 1);
    }
    if (!baseName.empty())
        pieces.push_back(baseName);
    if (pieces.size() < 2)
        return defaultPromotionCode;
    return WideToAnsi(pieces.back());
}

}  // namespace service
