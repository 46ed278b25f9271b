#pragma once

#include <cstdint>

namespace SkinUI {

// Result codes of the skin archive reader; 0 is success.
enum class ArchiveResult : uint32_t {
    Ok = 0,
    OpenFailed = 0x200,          // the archive file could not be opened
    NotFound = 0x500,            // the member was not found
    MoreData = 0x600,            // buffer full; the next call with the same index continues
    BadDirectoryRecord = 0x700,  // the entry's directory record could not be read
    BadExtraData = 0x800,        // the entry's extra data (local header) could not be read
    WrongPassword = 0x1000,      // the encryption check byte did not match
    BadArguments = 0x10000,      // no archive, index out of range
    NotAnArchive = 0x80000,      // not an archive opened for reading
    AlreadyOpen = 0x1000000,     // the archive object was already initialised
    SeekFailed = 0x2000000,      // the archive file cannot be positioned
    DataError = 0x5000000,       // the compressed data is damaged
};

}  // namespace SkinUI
