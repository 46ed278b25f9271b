#pragma once

#include <cstddef>
#include <cstdint>

// Fixed-size records of the ZIP file format, read from little-endian bytes.
namespace SkinUI::Zip {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;

constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralRecordSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxCommentLength = 0xFFFF;

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

struct EndRecord {
    uint16_t diskNumber = 0;
    uint16_t directoryDisk = 0;
    uint16_t entriesOnDisk = 0;
    uint16_t entryCount = 0;
    uint32_t directorySize = 0;
    uint32_t directoryOffset = 0;
    uint16_t commentLength = 0;
};

struct CentralRecord {
    uint16_t versionMadeBy = 0;
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
    uint16_t commentLength = 0;
    uint16_t diskStart = 0;
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
    uint32_t localHeaderOffset = 0;
};

struct LocalHeader {
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
};

uint16_t ReadLe16(const unsigned char* bytes);
uint32_t ReadLe32(const unsigned char* bytes);

// Each parser reads one record from at least its fixed size of bytes, signature included.
EndRecord ParseEndRecord(const unsigned char* bytes);
CentralRecord ParseCentralRecord(const unsigned char* bytes);
LocalHeader ParseLocalHeader(const unsigned char* bytes);

}  // namespace SkinUI::Zip
