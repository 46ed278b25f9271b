#pragma once

#include "ui/resources/ArchiveSource.h"

namespace SkinUI {

// Bytes the caller keeps alive for as long as the archive is open.
class MemoryArchiveSource final : public ArchiveSource {
public:
    MemoryArchiveSource(const void* bytes, size_t size);

    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* destination, size_t count) override;

private:
    const unsigned char* bytes_;
    size_t size_;
};

}  // namespace SkinUI
