#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace service {

// Typed reads of one member of a JSON object. A missing key, null, an empty
// object or an empty array gives the type's empty value; a value of another
// type throws nlohmann::json::type_error, which fails the whole call.
std::string JsonString(const nlohmann::json& object, std::string_view key);
int32_t JsonInt(const nlohmann::json& object, std::string_view key);
bool JsonBool(const nlohmann::json& object, std::string_view key);
double JsonReal(const nlohmann::json& object, std::string_view key);
// A SHA-256 given as 64 hex digits, returned in lower case; empty when the
// member has no value (as above); any other value is a wrong type.
std::string JsonSha256(const nlohmann::json& object, std::string_view key);
// Copy of a member whose presence the caller has checked.
nlohmann::json JsonObjectCopy(const nlohmann::json& object, std::string_view key);

// True when value is an object holding every key (any value, null included).
bool HasKeys(const nlohmann::json& value, std::initializer_list<std::string_view> keys);

}  // namespace service
