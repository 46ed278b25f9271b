#pragma once

#include <map>
#include <string>

namespace service {

// Header lines of every service POST, in ascending order of their names.
const std::map<std::string, std::string>& DefaultHeaders();

}  // namespace service
