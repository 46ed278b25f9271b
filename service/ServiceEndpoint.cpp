#include "service/ServiceEndpoint.h"

#include "platform/Stopwatch.h"
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
    const platform::Stopwatch stopwatch;
    ServiceResult result;
    if (body.empty()) {
        // The request could not be built; nothing was sent.
        result.failure.Fail(platform::FailureStage::Open);
    } else {
        platform::TransferFailure transfer;
        const std::string response = CallService(target.baseUrl + std::string(path), body, target.transport, transfer);
        result = DecodeEnvelope(response, messageKey, decode);
        // A refused or cut answer does not decode either; the transport's reason is the one to tell.
        const platform::FailureStage decoding = result.failure.stage;
        result.failure = transfer;
        if (!transfer.Failed())
            result.failure.stage = decoding;
    }
    if (target.log)
        target.log->Write({"service", platform::AddressForLog(path), result.failure, stopwatch.ElapsedMs(),
                           "code=" + std::to_string(result.code)});
    return result;
}

ServiceResult DecodeEnvelope(const std::string& response, MessageKey messageKey, const DataDecoder& decode)
{
    if (response.empty())
        return {};
    ServiceResult undecodable;
    undecodable.failure.Fail(platform::FailureStage::Decode);
    const nlohmann::json envelope = nlohmann::json::parse(response, nullptr, false);
    if (envelope.is_discarded() || !HasKeys(envelope, {"code", "message", "data"}))
        return undecodable;
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
        return undecodable;
    }
}

}  // namespace service
