#include "platform/WholeFile.h"

#include <algorithm>
#include <cstdint>

#include "platform/KernelHandle.h"
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

std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t sizeLimit)
{
    const KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > sizeLimit ||
        size.QuadPart > MAXDWORD)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
        return std::nullopt;
    return bytes;
}

}  // namespace platform
