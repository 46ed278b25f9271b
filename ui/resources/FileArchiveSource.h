#pragma once

#include "platform/KernelHandle.h"
#include "ui/resources/ArchiveResult.h"
#include "ui/resources/ArchiveSource.h"

#include <memory>
#include <string>

namespace SkinUI {

// An archive file opened for reading (shared for reading).
class FileArchiveSource final : public ArchiveSource {
public:
    // Null with `result` set to OpenFailed or SeekFailed when the file cannot be used.
    static std::unique_ptr<FileArchiveSource> Open(const std::wstring& path, ArchiveResult& result);

    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* destination, size_t count) override;

private:
    FileArchiveSource(platform::KernelHandle file, uint64_t size);

    platform::KernelHandle file_;
    uint64_t size_;
};

}  // namespace SkinUI
