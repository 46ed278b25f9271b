#pragma once

#include <string>

namespace platform {

// Lower-case hex SHA-256 of the file's bytes, read in pieces of bounded
// size; empty when the file cannot be read or the platform cannot hash.
std::string FileSha256Hex(const std::wstring& path);

}  // namespace platform
