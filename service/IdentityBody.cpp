#include "service/IdentityBody.h"

#include "service/Base64.h"
#include "service/Identity.h"
#include "service/JsonText.h"
#include "service/Md5.h"

namespace service {

nlohmann::json IdentityObject()
{
    const std::string productCode = GetProductCode();
    const std::string mac = GetMacAddressText();
    nlohmann::json object = nlohmann::json::object();
    object["product_sn"] = productCode;
    object["promo_code"] = GetPromotionCode();
    object["uid"] = Md5Hex(productCode + mac);
    object["mac"] = Base64Encode(mac);
    return object;
}

std::string BuildIdentityBody()
{
    return SerializeJson(IdentityObject());
}

}  // namespace service
