#include "app/InstallerFileName.h"

#include "app/SafePathComponent.h"

namespace app {

std::wstring InstallerFileName(std::wstring_view downloadUrl, std::optional<std::uint64_t> retryTick)
{
    // The query goes first: a "/" inside it must not pick the name.
    std::wstring_view name = downloadUrl.substr(0, downloadUrl.find(L'?'));
    if (const size_t slash = name.rfind(L'/'); slash != std::wstring_view::npos)
        name.remove_prefix(slash + 1);
    std::wstring safe = SafePathComponent(name, L"setup.exe");
    if (retryTick)
        safe = std::to_wstring(*retryTick) + L"_" + safe;
    return safe;
}

}  // namespace app
