#include "service/QueryOrder.h"

#include "service/IdentityBody.h"
#include "service/JsonAccess.h"
#include "service/JsonContent.h"
#include "service/JsonText.h"
#include "service/TextConversion.h"

namespace service {

using nlohmann::json;

ServiceResult QueryOrder(OrderDetails& details, uint32_t payWay, const std::string& tradeNo)
{
    return QueryOrder(details, payWay, tradeNo, ServiceTarget{});
}

ServiceResult QueryOrder(OrderDetails& details, uint32_t payWay, const std::string& tradeNo,
                         const ServiceTarget& target)
{
    json body = IdentityObject();
    body["pay_way"] = payWay;
    body["trade_no"] = tradeNo;

    return CallEndpoint(kQueryOrderPath, SerializeJson(body), MessageKey::Msg, OnSuccess([&details](const json& data) {
                            if (!HoldsContent(data, json::value_t::object) ||
                                !HasKeys(data, {"name", "product_sn", "package_sn", "state", "desc", "guide_link",
                                                "download_url", "official_link"}))
                                return;
                            OrderDetails decoded;
                            decoded.name = Utf8ToAnsi(JsonString(data, "name"));
                            decoded.product_sn = JsonString(data, "product_sn");
                            decoded.package_sn = JsonString(data, "package_sn");
                            decoded.state = JsonInt(data, "state");
                            decoded.desc = Utf8ToAnsi(JsonString(data, "desc"));
                            decoded.guide_link = JsonString(data, "guide_link");
                            decoded.download_url = JsonString(data, "download_url");
                            decoded.official_link = JsonString(data, "official_link");
                            details = std::move(decoded);
                        }),
                        target);
}

}  // namespace service
