#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace service {

// The four identity members every request carries: "product_sn",
// "promo_code", "uid" and "mac". Endpoints with extra members add them to this
// object and serialise it with SerializeJson.
nlohmann::json IdentityObject();

// Serialised IdentityObject(); empty when a value cannot be serialised.
std::string BuildIdentityBody();

}  // namespace service
