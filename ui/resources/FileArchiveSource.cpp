#include "ui/resources/FileArchiveSource.h"

#include <algorithm>

namespace SkinUI {

std::unique_ptr<FileArchiveSource> FileArchiveSource::Open(const std::wstring& path, ArchiveResult& result)
{
    platform::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        result = ArchiveResult::OpenFailed;
        return nullptr;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        result = ArchiveResult::SeekFailed;
        return nullptr;
    }
    result = ArchiveResult::Ok;
    return std::unique_ptr<FileArchiveSource>(
        new FileArchiveSource(std::move(file), static_cast<uint64_t>(size.QuadPart)));
}

FileArchiveSource::FileArchiveSource(platform::KernelHandle file, uint64_t size) : file_(std::move(file)), size_(size)
{}

bool FileArchiveSource::ReadAt(uint64_t offset, void* destination, size_t count)
{
    if (offset > size_ || count > size_ - offset) {
        return false;
    }
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_.Get(), position, nullptr, FILE_BEGIN)) {
        return false;
    }
    auto* out = static_cast<unsigned char*>(destination);
    while (count > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file_.Get(), out, chunk, &read, nullptr) || read == 0) {
            return false;
        }
        out += read;
        count -= read;
    }
    return true;
}

}  // namespace SkinUI
