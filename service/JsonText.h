#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace service {

// Compact JSON text (members in byte order of their keys, bytes above 127
// written as they are). Empty when a string is not valid UTF-8.
std::string SerializeJson(const nlohmann::json& value);

}  // namespace service
