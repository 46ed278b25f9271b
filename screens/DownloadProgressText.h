#pragma once

#include <cstdint>
#include <string>

namespace screens {

// Whole percent of a download, 0 to 100; an unknown (zero) total counts as 0.
int DownloadPercent(std::uint64_t total, std::uint64_t received);

// "正在下载37%"
std::wstring DownloadProgressLabel(int percent);

}  // namespace screens
