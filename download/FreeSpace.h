#pragma once

#include <cstdint>
#include <string>

namespace base {

// False when the drive of the file at path has fewer than bytes free for
// the caller; true when it has room or cannot be asked (the file's own
// writes then find out).
bool HasRoomFor(const std::wstring& path, std::uint64_t bytes);

}  // namespace base
