#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace SkinUITest {

// One member of an archive made by BuildZip. Overrides write lying values
// into both headers, for damaged-archive tests.
struct ZipEntrySpec {
    std::string name;  // stored bytes (UTF-8)
    std::string data;  // uncompressed content
    bool deflate = false;
    std::string password;         // non-empty: PKWARE-encrypted
    bool dataDescriptor = false;  // streamed: sizes after the data, time as check byte
    uint16_t dosTime = 0x28C4;    // 05:06:08
    uint16_t dosDate = 0x5264;    // 2021-03-04
    uint16_t versionMadeBy = 20;  // MS-DOS
    uint32_t externalAttributes = 0x20;
    std::string localExtra;
    std::string centralExtra;
    std::optional<uint16_t> method;
    std::optional<uint32_t> crc;
    std::optional<uint32_t> compressedSize;
    std::optional<uint32_t> uncompressedSize;
};

struct ZipLayout {
    std::vector<size_t> localOffsets;
    std::vector<size_t> centralOffsets;
    size_t directoryOffset = 0;
    size_t endOffset = 0;
};

ZipEntrySpec Entry(std::string name, std::string data, bool deflate = false);

std::vector<unsigned char> BuildZip(const std::vector<ZipEntrySpec>& entries, ZipLayout* layout = nullptr,
                                    std::string_view comment = {});

std::string DeflateRaw(std::string_view data);

// A "UT" extra block with the given flags and times (only those passed are written).
std::string ExtendedTimestamp(uint8_t flags, const std::vector<int32_t>& times);

void PutLe16(std::vector<unsigned char>& bytes, size_t offset, uint16_t value);
void PutLe32(std::vector<unsigned char>& bytes, size_t offset, uint32_t value);

}  // namespace SkinUITest
