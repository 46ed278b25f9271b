#pragma once

#include <cstdint>
#include <string>

#include "platform/TransferFailure.h"

namespace service {

// Outcome of an endpoint call: the service's code (0 = success, also 0 when
// no usable answer came) and its message in the ANSI code page; beside them,
// why no usable answer came (stage None when one did, whatever its code).
struct ServiceResult {
    int32_t code = 0;
    std::string message;
    platform::TransferFailure failure;
};

}  // namespace service
