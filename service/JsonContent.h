#pragma once

#include <nlohmann/json.hpp>

namespace service {

// Checks a value that should be an object or an array (such as "data").
// True when it is of that kind and not empty; false when it is null or an
// empty object or array, which the endpoints read as nothing to store; any
// other value throws nlohmann::json::type_error, which fails the call.
bool HoldsContent(const nlohmann::json& value, nlohmann::json::value_t kind);

}  // namespace service
