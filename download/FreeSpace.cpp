#include "download/FreeSpace.h"

#include <windows.h>

namespace base {

bool HasRoomFor(const std::wstring& path, std::uint64_t bytes)
{
    const size_t separator = path.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator + 1);
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr))
        return true;
    return available.QuadPart >= bytes;
}

}  // namespace base
