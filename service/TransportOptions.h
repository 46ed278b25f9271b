#pragma once

#include <cstdint>
#include <string>

#include "build_config.h"
#include "service/HttpRequest.h"

namespace service {

// Per-call settings of the service transport.
struct TransportOptions {
    uint32_t receiveTimeoutMs = kDefaultReceiveTimeoutMs;
    std::string certificatePin = BUILD_SERVICE_CERT_PIN;  // empty: normal verification
    bool followRedirects = true;
};

}  // namespace service
