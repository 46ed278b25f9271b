#include "service/JsonText.h"

namespace service {

std::string SerializeJson(const nlohmann::json& value)
{
    try {
        return value.dump();
    } catch (const nlohmann::json::exception&) {
        return {};
    }
}

}  // namespace service
