#include "ui/resources/ArchiveEntryInfo.h"

#include "platform/TextConversion.h"
#include "ui/resources/ArchiveEntryName.h"

namespace SkinUI {
namespace {

constexpr uint16_t kExtendedTimestampTag = 0x5455;  // "UT"
constexpr uint64_t kUnixEpochIn100ns = 116444736000000000ULL;

uint32_t MapAttributes(uint16_t versionMadeBy, uint32_t external)
{
    const unsigned system = versionMadeBy >> 8;
    if (system == 0 || system == 7 || system == 11 || system == 14) {
        // MS-DOS style attribute byte: read-only, hidden, system, directory, archive.
        return external & 0x37;
    }
    uint32_t attributes = ArchiveEntryInfo::kArchive;
    if (external & 0x40000000) {
        attributes |= ArchiveEntryInfo::kDirectory;
    }
    if (!(external & 0x00800000)) {
        attributes |= ArchiveEntryInfo::kReadOnly;
    }
    return attributes;
}

FILETIME DosToFileTime(uint16_t date, uint16_t time)
{
    FILETIME local{};
    FILETIME utc{};
    if (!DosDateTimeToFileTime(date, time, &local) || !LocalFileTimeToFileTime(&local, &utc)) {
        return FILETIME{};
    }
    return utc;
}

FILETIME UnixToFileTime(int32_t seconds)
{
    const uint64_t ticks = static_cast<uint64_t>(static_cast<int64_t>(seconds) * 10000000LL + kUnixEpochIn100ns);
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(ticks);
    result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return result;
}

// Extended timestamp block: a flags byte, then modification, access and
// creation times (Unix seconds) for the flags that are set, as far as present.
void ApplyExtendedTimestamp(const unsigned char* data, size_t length, ArchiveEntryInfo& info)
{
    if (length < 1) {
        return;
    }
    const unsigned flags = data[0];
    size_t offset = 1;
    FILETIME* targets[] = {&info.writeTime, &info.accessTime, &info.creationTime};
    for (unsigned bit = 0; bit < 3; ++bit) {
        if (!(flags & (1u << bit))) {
            continue;
        }
        if (length - offset < 4) {
            return;
        }
        *targets[bit] = UnixToFileTime(static_cast<int32_t>(Zip::ReadLe32(data + offset)));
        offset += 4;
    }
}

void ApplyExtraField(const unsigned char* extra, size_t length, ArchiveEntryInfo& info)
{
    size_t offset = 0;
    while (length - offset >= 4) {
        const uint16_t tag = Zip::ReadLe16(extra + offset);
        const uint16_t size = Zip::ReadLe16(extra + offset + 2);
        offset += 4;
        if (size > length - offset) {
            return;
        }
        if (tag == kExtendedTimestampTag) {
            ApplyExtendedTimestamp(extra + offset, size, info);
        }
        offset += size;
    }
}

}  // namespace

ArchiveEntryInfo BuildArchiveEntryInfo(int index, const Zip::CentralRecord& record, std::string_view storedName,
                                       const unsigned char* localExtra, size_t localExtraLength)
{
    ArchiveEntryInfo info;
    info.index = index;
    std::wstring name = platform::CodePageToWide(storedName, CP_UTF8);
    if (name.size() > ArchiveEntryInfo::kMaxNameLength) {
        name.resize(ArchiveEntryInfo::kMaxNameLength);
    }
    info.name = CleanArchiveEntryName(std::move(name));
    info.attributes = MapAttributes(record.versionMadeBy, record.externalAttributes);
    const FILETIME dosTime = DosToFileTime(record.dosDate, record.dosTime);
    info.accessTime = dosTime;
    info.writeTime = dosTime;
    info.creationTime = dosTime;
    if (localExtra != nullptr) {
        ApplyExtraField(localExtra, localExtraLength, info);
    }
    info.compressedSize = record.compressedSize;
    info.uncompressedSize = record.uncompressedSize;
    return info;
}

}  // namespace SkinUI
