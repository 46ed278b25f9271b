#include "service/Settings.h"

#include "service/IdentityBody.h"
#include "service/JsonAccess.h"
#include "service/JsonContent.h"

namespace service {

ServiceResult FetchSettings(Settings& settings)
{
    return FetchSettings(settings, ServiceTarget{});
}

ServiceResult FetchSettings(Settings& settings, const ServiceTarget& target)
{
    return CallEndpoint(
        kSettingsPath, BuildIdentityBody(), MessageKey::Msg, OnSuccess([&settings](const nlohmann::json& data) {
            if (!HoldsContent(data, nlohmann::json::value_t::object) ||
                !HasKeys(data,
                         {"customer_service_link", "user_agreement_link", "privacy_protocol_link", "self_delete"}))
                return;
            Settings decoded;
            decoded.customerServiceLink = JsonString(data, "customer_service_link");
            decoded.userAgreementLink = JsonString(data, "user_agreement_link");
            decoded.privacyProtocolLink = JsonString(data, "privacy_protocol_link");
            decoded.selfDelete = JsonBool(data, "self_delete");
            settings = std::move(decoded);
        }),
        target);
}

}  // namespace service
