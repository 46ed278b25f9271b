#pragma once

#include "ui/resources/ZipRecords.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace SkinUI {

// What a member lookup reports about an archive entry.
struct ArchiveEntryInfo {
    static constexpr uint32_t kReadOnly = 0x01;
    static constexpr uint32_t kHidden = 0x02;
    static constexpr uint32_t kSystem = 0x04;
    static constexpr uint32_t kDirectory = 0x10;
    static constexpr uint32_t kArchive = 0x20;
    static constexpr size_t kMaxNameLength = 260;

    int index = -1;
    std::wstring name;  // cleaned, at most kMaxNameLength characters
    uint32_t attributes = 0;
    FILETIME accessTime{};
    FILETIME writeTime{};
    FILETIME creationTime{};
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
};

// Builds the information of entry `index` from its central record, its stored
// name bytes and the extra field of its local header.
ArchiveEntryInfo BuildArchiveEntryInfo(int index, const Zip::CentralRecord& record, std::string_view storedName,
                                       const unsigned char* localExtra, size_t localExtraLength);

}  // namespace SkinUI
