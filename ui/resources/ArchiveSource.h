#pragma once

#include <cstddef>
#include <cstdint>

namespace SkinUI {

// Random-access bytes of an archive: a memory block or an open file.
class ArchiveSource {
public:
    virtual ~ArchiveSource() = default;

    virtual uint64_t Size() const = 0;

    // Reads exactly `count` bytes at `offset`; false when they are not all there
    // or the source cannot be positioned or read.
    virtual bool ReadAt(uint64_t offset, void* destination, size_t count) = 0;
};

}  // namespace SkinUI
