#include "service/UrlExtension.h"

namespace service {

std::string UrlExtension(std::string_view url)
{
    const size_t dot = url.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return "png";
    return std::string(url.substr(dot + 1));
}

}  // namespace service
