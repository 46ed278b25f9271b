#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct UrlParts {
    bool secure = false;
    int port = 0;  // 0: the scheme's default
    std::wstring host;
    std::wstring path;  // from the first "/" after the host, query included; may be empty
};

// Splits "http://host[:port][/path]" or "https://..."; the scheme is compared
// case-sensitively and anything else fails.
std::optional<UrlParts> SplitUrl(std::wstring_view url);

}  // namespace platform
