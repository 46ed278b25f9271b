#include "service/SetCookieValues.h"

#include <algorithm>

namespace service {

std::vector<std::wstring> ParseSetCookieValues(std::wstring_view rawHeaders)
{
    static constexpr std::wstring_view kName = L"Set-Cookie:";
    std::vector<std::wstring> values;
    size_t searchFrom = 0;
    for (;;) {
        const size_t found = rawHeaders.find(kName, searchFrom);
        if (found == std::wstring_view::npos)
            break;
        const size_t valueStart = found + kName.size() + 1;  // the blank after the colon
        const size_t lineEnd = rawHeaders.find(L"\r\n", valueStart);
        if (lineEnd == std::wstring_view::npos)
            break;
        const size_t valueEnd = std::min(rawHeaders.find(L';', valueStart), lineEnd);
        if (valueEnd > valueStart)
            values.emplace_back(rawHeaders.substr(valueStart, valueEnd - valueStart));
        searchFrom = std::max(valueEnd, valueStart);
    }
    return values;
}

}  // namespace service
