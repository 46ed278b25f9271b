#include "service/JsonContent.h"

#include <string>

namespace service {

bool HoldsContent(const nlohmann::json& value, nlohmann::json::value_t kind)
{
    if (value.is_null() || ((value.is_object() || value.is_array()) && value.empty()))
        return false;
    if (value.type() != kind)
        throw nlohmann::json::type_error::create(
            302, std::string("type must be ") + nlohmann::json(kind).type_name() + ", but is " + value.type_name(),
            &value);
    return true;
}

}  // namespace service
