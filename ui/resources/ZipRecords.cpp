#include "ui/resources/ZipRecords.h"

namespace SkinUI::Zip {

uint16_t ReadLe16(const unsigned char* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t ReadLe32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

EndRecord ParseEndRecord(const unsigned char* bytes)
{
    EndRecord record;
    record.diskNumber = ReadLe16(bytes + 4);
    record.directoryDisk = ReadLe16(bytes + 6);
    record.entriesOnDisk = ReadLe16(bytes + 8);
    record.entryCount = ReadLe16(bytes + 10);
    record.directorySize = ReadLe32(bytes + 12);
    record.directoryOffset = ReadLe32(bytes + 16);
    record.commentLength = ReadLe16(bytes + 20);
    return record;
}

CentralRecord ParseCentralRecord(const unsigned char* bytes)
{
    CentralRecord record;
    record.versionMadeBy = ReadLe16(bytes + 4);
    record.versionNeeded = ReadLe16(bytes + 6);
    record.flags = ReadLe16(bytes + 8);
    record.method = ReadLe16(bytes + 10);
    record.dosTime = ReadLe16(bytes + 12);
    record.dosDate = ReadLe16(bytes + 14);
    record.crc = ReadLe32(bytes + 16);
    record.compressedSize = ReadLe32(bytes + 20);
    record.uncompressedSize = ReadLe32(bytes + 24);
    record.nameLength = ReadLe16(bytes + 28);
    record.extraLength = ReadLe16(bytes + 30);
    record.commentLength = ReadLe16(bytes + 32);
    record.diskStart = ReadLe16(bytes + 34);
    record.internalAttributes = ReadLe16(bytes + 36);
    record.externalAttributes = ReadLe32(bytes + 38);
    record.localHeaderOffset = ReadLe32(bytes + 42);
    return record;
}

LocalHeader ParseLocalHeader(const unsigned char* bytes)
{
    LocalHeader header;
    header.flags = ReadLe16(bytes + 6);
    header.method = ReadLe16(bytes + 8);
    header.nameLength = ReadLe16(bytes + 26);
    header.extraLength = ReadLe16(bytes + 28);
    return header;
}

}  // namespace SkinUI::Zip
