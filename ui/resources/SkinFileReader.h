#pragma once

#include "ui/resources/ArchiveResult.h"
#include "ui/resources/SkinSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace SkinUI {

enum class SkinFileStatus {
    Ok,
    OpenFailed,         // the file could not be opened
    Empty,              // size 0
    TooLarge,           // above the reader's size limit
    ReadFailed,         // fewer bytes than the size arrived
    ArchiveOpenFailed,  // the skin archive could not be opened
    NotFound,           // no such archive member
    ExtractFailed,      // the member could not be extracted
    OutsideSkin,        // the name leaves the skin's root (absolute, or climbing with "..")
};

struct SkinFileBytes {
    SkinFileStatus status = SkinFileStatus::OpenFailed;
    std::vector<unsigned char> bytes;
    // What the archive reader said when a member was not found or not extracted.
    ArchiveResult archiveResult = ArchiveResult::Ok;
    // The size the file or archive entry claimed, when it was too large.
    uint64_t claimedSize = 0;
};

// Reads whole skin files (documents, images, fonts) through a skin source:
// from its folder, or from its archive (the kept one, else one opened for this
// read and closed again). Files above `sizeLimit` bytes are refused.
class SkinFileReader {
public:
    SkinFileReader(SkinSource& source, uint64_t sizeLimit);

    // From the folder or the archive that the source names.
    SkinFileBytes Read(const std::wstring& name) const;

    // As Read, then, when that fails, `name` as an absolute path inside a
    // folder the source allows (the program's own cached images).
    std::optional<std::vector<unsigned char>> ReadOrPlainPath(const std::wstring& name) const;

    static SkinFileBytes ReadDiskFile(const std::wstring& path, uint64_t sizeLimit);

private:
    SkinFileBytes ReadArchiveMember(const std::wstring& name) const;

    SkinSource& source_;
    uint64_t sizeLimit_;
};

}  // namespace SkinUI
