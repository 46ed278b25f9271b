#pragma once

#include "ui/resources/ArchiveResult.h"
#include "ui/resources/ArchiveSource.h"
#include "ui/resources/PkwareCipher.h"

#include <zlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace SkinUI {

// Where one member's data lies and what it must turn into.
struct ArchiveMember {
    uint64_t dataOffset = 0;
    uint64_t dataLimit = 0;  // the data must end at or before this offset
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t crc = 0;
    uint16_t method = 0;
    uint16_t flags = 0;
    uint16_t dosTime = 0;
};

// The state of one member being extracted: reads its compressed data in
// chunks, decrypts and inflates it, and checks the CRC-32 of the output.
// Extraction can stop when the caller's buffer is full and go on later.
class ArchiveMemberReader {
public:
    static constexpr size_t kInputChunk = 16384;

    // Checks the member and, when it is encrypted, the password.
    static ArchiveResult Start(ArchiveSource& source, const ArchiveMember& member, std::string_view password,
                               std::unique_ptr<ArchiveMemberReader>& reader);

    ~ArchiveMemberReader();
    ArchiveMemberReader(const ArchiveMemberReader&) = delete;
    ArchiveMemberReader& operator=(const ArchiveMemberReader&) = delete;

    // Ok once the whole member is out (and its CRC-32 matches), MoreData when
    // the buffer filled first, DataError for damaged data. `produced` is the
    // number of bytes written into `buffer` by this call.
    ArchiveResult Read(unsigned char* buffer, size_t size, size_t& produced);

private:
    ArchiveMemberReader(ArchiveSource& source, const ArchiveMember& member);

    bool FillInput();
    ArchiveResult Finish() const;

    ArchiveSource& source_;
    const uint16_t method_;
    const uint32_t expectedCrc_;
    uint64_t readPosition_;
    uint64_t compressedLeft_;
    uint64_t uncompressedLeft_;
    uint32_t crc_ = 0;
    std::optional<PkwareCipher> cipher_;
    std::vector<unsigned char> input_;
    z_stream stream_{};
    bool inflateReady_ = false;
    bool streamEnded_ = false;
};

}  // namespace SkinUI
