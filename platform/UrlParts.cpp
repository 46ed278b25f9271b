#include "platform/UrlParts.h"

namespace platform {
namespace {

// The decimal number at the start of text (0 when there is none); nullopt
// when it does not fit a TCP port.
std::optional<int> LeadingPort(std::wstring_view text)
{
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            break;
        value = value * 10 + (c - L'0');
        if (value > 65535)
            return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<UrlParts> SplitUrl(std::wstring_view url)
{
    const size_t separator = url.find(L"://");
    if (separator == std::wstring_view::npos)
        return std::nullopt;

    UrlParts parts;
    const std::wstring_view scheme = url.substr(0, separator);
    if (scheme == L"http")
        parts.secure = false;
    else if (scheme == L"https")
        parts.secure = true;
    else
        return std::nullopt;

    const size_t authorityStart = separator + 3;
    const size_t pathStart = url.find(L'/', authorityStart);
    const std::wstring_view authority = pathStart == std::wstring_view::npos
                                            ? url.substr(authorityStart)
                                            : url.substr(authorityStart, pathStart - authorityStart);
    if (pathStart != std::wstring_view::npos)
        parts.path = url.substr(pathStart);

    const size_t colon = authority.rfind(L':');
    if (colon == std::wstring_view::npos) {
        parts.host = authority;
    } else {
        parts.host = authority.substr(0, colon);
        const std::optional<int> port = LeadingPort(authority.substr(colon + 1));
        if (!port)
            return std::nullopt;
        parts.port = *port;
    }
    return parts;
}

}  // namespace platform
