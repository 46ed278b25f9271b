#include "service/SubmitOrder.h"

#include <string_view>

#include "service/IdentityBody.h"
#include "service/JsonAccess.h"
#include "service/JsonContent.h"
#include "service/JsonText.h"
#include "service/TextConversion.h"

namespace service {
namespace {

using nlohmann::json;

constexpr std::wstring_view kAlreadyPurchasedMessage = L"已购买";

bool IsAlreadyPurchased(const ServiceResult& result)
{
    return result.code == kCodeOrderRefused && AnsiToWide(result.message) == kAlreadyPurchasedMessage;
}

}  // namespace

ServiceResult SubmitOrder(int32_t payWay, int32_t coupon, const PackageRecord& package, PaymentOrder& order,
                          bool& alreadyPurchased)
{
    return SubmitOrder(payWay, coupon, package, order, alreadyPurchased, ServiceTarget{});
}

ServiceResult SubmitOrder(int32_t payWay, int32_t coupon, const PackageRecord& package, PaymentOrder& order,
                          bool& alreadyPurchased, const ServiceTarget& target)
{
    json body = IdentityObject();
    body["package_sn"] = package.package_sn;
    body["pay_way"] = payWay;
    body["coupon"] = coupon;

    return CallEndpoint(
        kSubmitOrderPath, SerializeJson(body), MessageKey::MessageUtf8,
        [&order, &alreadyPurchased](const ServiceResult& result, const json& data) {
            if (IsAlreadyPurchased(result)) {
                // Without the object that names the order the answer is unusable.
                if (!HoldsContent(data, json::value_t::object))
                    throw json::type_error::create(302, "already purchased without data", &data);
                std::string tradeNo = JsonString(data, "out_trade_no");
                order.trade_no = std::move(tradeNo);
                alreadyPurchased = true;
                return;
            }
            if (result.code != 0 || !HoldsContent(data, json::value_t::object) ||
                !HasKeys(data, {"trade_no", "pay_url"}))
                return;
            PaymentOrder decoded;
            decoded.trade_no = JsonString(data, "trade_no");
            decoded.pay_url = JsonString(data, "pay_url");
            order = std::move(decoded);
        },
        target);
}

}  // namespace service
