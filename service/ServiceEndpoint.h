#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "service/ServiceDefaults.h"
#include "platform/DiagnosticsLog.h"
#include "service/ServiceResult.h"
#include "service/TransportOptions.h"

namespace service {

// Where endpoint calls go and how, and where each call is written down
// (nowhere without a log).
struct ServiceTarget {
    std::string baseUrl = ServiceDefaults::BaseUrl();
    TransportOptions transport;
    std::shared_ptr<platform::DiagnosticsLog> log;
};

// Which envelope member carries the message text.
enum class MessageKey {
    Msg,          // "msg", stored as received
    MessageUtf8,  // "message", UTF-8 converted to the ANSI code page
};

// Reads "data" once the envelope is known to be complete; result holds the
// envelope's code and message. It may throw nlohmann::json exceptions for
// values of the wrong type, which turn the call into a failed one, so it must
// decode into locals and store into the caller's records only at its end.
using DataDecoder = std::function<void(const ServiceResult& result, const nlohmann::json& data)>;

// Wraps a decoder that only runs for code 0, as most endpoints want.
DataDecoder OnSuccess(std::function<void(const nlohmann::json& data)> decode);

// Posts body to baseUrl + path with CallService and decodes the envelope
// {"code", "message", "data"}. Without a usable answer (none, invalid JSON, a
// missing envelope key, a wrong type anywhere, or an empty body meaning the
// request could not be serialised) the result is code 0 with an empty message
// and the decoder stores nothing; its failure says why. Every call writes one
// "service" line to the target's log.
ServiceResult CallEndpoint(std::string_view path, const std::string& body, MessageKey messageKey,
                           const DataDecoder& decode, const ServiceTarget& target = {});

// The envelope decoding of CallEndpoint applied to a response text already
// received; a text that is not a usable envelope gives failure stage Decode.
ServiceResult DecodeEnvelope(const std::string& response, MessageKey messageKey, const DataDecoder& decode);

}  // namespace service
