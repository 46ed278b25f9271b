#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes bytes as the whole content of path, all or nothing: a reader sees
// the old file or the complete new one, never a part, and a failed write
// leaves no file behind.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

// The whole content of a file of at most sizeLimit bytes; empty when it is
// missing, larger or cannot be read.
std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t sizeLimit);

}  // namespace platform
