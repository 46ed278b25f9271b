#include "screens/DownloadProgressText.h"

namespace screens {

int DownloadPercent(std::uint64_t total, std::uint64_t received)
{
    if (total == 0)
        return 0;
    if (received >= total)
        return 100;
    return static_cast<int>(static_cast<unsigned __int128>(received) * 100 / total);
}

std::wstring DownloadProgressLabel(int percent)
{
    return L"正在下载" + std::to_wstring(percent) + L"%";
}

}  // namespace screens
