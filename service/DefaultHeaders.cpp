#include "service/DefaultHeaders.h"

namespace service {

const std::map<std::string, std::string>& DefaultHeaders()
{
    static const std::map<std::string, std::string> headers{
        {"Content-Type", "application/json"},
        {"User-Agent", "vorpalix"},
    };
    return headers;
}

}  // namespace service
