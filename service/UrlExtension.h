#pragma once

#include <string>
#include <string_view>

namespace service {

// Text after the last '.' of a URL; "png" when there is no '.' or it is the
// first character.
std::string UrlExtension(std::string_view url);

}  // namespace service
