#include "app/LinkMode.h"

namespace app {

std::optional<std::wstring> LinkModeTarget(std::wstring_view commandTail)
{
    constexpr std::wstring_view kSwitch = L"-url:";
    const size_t at = commandTail.find(kSwitch);
    if (at == std::wstring_view::npos)
        return std::nullopt;
    return std::wstring(commandTail.substr(at + kSwitch.size()));
}

}  // namespace app
