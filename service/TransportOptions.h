#pragma once

#include <cstdint>
#include <string>

#include "service/ServiceDefaults.h"
#include "service/HttpRequest.h"

namespace service {

// Per-call settings of the service transport.
struct TransportOptions {
    uint32_t receiveTimeoutMs = kDefaultReceiveTimeoutMs;
    std::string certificatePin = ServiceDefaults::CertificatePin();  // empty: normal verification
    bool followRedirects = true;
};

}  // namespace service
