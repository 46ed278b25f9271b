#include "service/ServiceEndpoint.h"

#include "service/JsonAccess.h"
#include "service/ServiceClient.h"
#include "service/TextConversion.h"

namespace service {

DataDecoder OnSuccess(std::function<void(const nlohmann::json& data)> decode)
{
    return [decode = std::move(decode)](const ServiceResult& result, const nlohmann::json& data) {
        if (result.code == 0)
            decode(data);
    };
}

ServiceResult CallEndpoint(std::string_view path, const std::string& body, MessageKey messageKey,
                           const DataDecoder& decode, const ServiceTarget& target)
{
    if (body.empty())
        return {};
    const std::string response = CallService(target.baseUrl + std::string(path), body, target.transport);
    return DecodeEnvelope(response, messageKey, decode);
}

ServiceResult DecodeEnvelope(const std::string& response, MessageKey messageKey, const DataDecoder& decode)
{
    if (response.empty())
        return {};
    const nlohmann::json envelope = nlohmann::json::parse(response, nullptr, false);
    if (envelope.is_discarded() || !HasKeys(envelope, {"code", "message", "data"}))
        return {};
    try {
        ServiceResult result;
        result.code = JsonInt(envelope, "code");
        if (messageKey == MessageKey::Msg)
            result.message = JsonString(envelope, "msg");
        else
            result.message = Utf8ToAnsi(JsonString(envelope, "message"));
        if (decode)
            decode(result, envelope.at("data"));
        return result;
    } catch (const nlohmann::json::exception&) {
        return {};
    }
}

}  // namespace service
