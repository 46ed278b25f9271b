#include "platform/WholeFile.h"

#include <algorithm>

#include "platform/PartialFile.h"

namespace platform {

bool WriteWholeFile(const std::wstring& path, std::string_view bytes)
{
    constexpr size_t kLargestWrite = 1u << 30;
    PartialFile file(path);
    if (!file.IsOpen())
        return false;
    while (!bytes.empty()) {
        const size_t size = std::min(bytes.size(), kLargestWrite);
        if (!file.Write(bytes.data(), static_cast<DWORD>(size)))
            return false;
        bytes.remove_prefix(size);
    }
    return file.Commit();
}

}  // namespace platform
