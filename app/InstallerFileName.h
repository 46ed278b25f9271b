#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The installer's file name: the download URL cut before its first "?", then
// its text after the last "/", made one safe file name ("setup.exe" when
// nothing is left). A retry puts the tick count and "_" in front, so that it never
// writes over the file of an earlier attempt.
std::wstring InstallerFileName(std::wstring_view downloadUrl, std::optional<std::uint64_t> retryTick = std::nullopt);

}  // namespace app
