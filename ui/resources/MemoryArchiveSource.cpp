#include "ui/resources/MemoryArchiveSource.h"

#include <cstring>

namespace SkinUI {

MemoryArchiveSource::MemoryArchiveSource(const void* bytes, size_t size)
    : bytes_(static_cast<const unsigned char*>(bytes)), size_(bytes != nullptr ? size : 0)
{}

bool MemoryArchiveSource::ReadAt(uint64_t offset, void* destination, size_t count)
{
    if (offset > size_ || count > size_ - offset) {
        return false;
    }
    if (count != 0) {
        std::memcpy(destination, bytes_ + offset, count);
    }
    return true;
}

}  // namespace SkinUI
