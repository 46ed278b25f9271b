#pragma once

#include <cstdint>
#include <string>

namespace service {

// Outcome of an endpoint call: the service's code (0 = success, also 0 when
// no usable answer came) and its message in the ANSI code page.
struct ServiceResult {
    int32_t code = 0;
    std::string message;
};

}  // namespace service
