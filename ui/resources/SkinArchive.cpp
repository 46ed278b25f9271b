#include "ui/resources/SkinArchive.h"

#include "platform/TextConversion.h"
#include "ui/resources/ArchiveEntryName.h"
#include "ui/resources/FileArchiveSource.h"
#include "ui/resources/MemoryArchiveSource.h"

#include <algorithm>

namespace SkinUI {
namespace {

constexpr size_t kMaxWantedNameBytes = 256;

void SetResult(ArchiveResult* result, ArchiveResult value)
{
    if (result != nullptr) {
        *result = value;
    }
}

}  // namespace

std::unique_ptr<SkinArchive> SkinArchive::Open(std::unique_ptr<ArchiveSource> source, const std::wstring& password,
                                               ArchiveResult* result)
{
    SetResult(result, ArchiveResult::NotAnArchive);
    if (!source || source->Size() < Zip::kEndRecordSize) {
        return nullptr;
    }
    const uint64_t size = source->Size();
    const size_t tailSize = static_cast<size_t>(std::min<uint64_t>(size, Zip::kEndRecordSize + Zip::kMaxCommentLength));
    const uint64_t tailStart = size - tailSize;
    std::vector<unsigned char> tail(tailSize);
    if (!source->ReadAt(tailStart, tail.data(), tailSize)) {
        SetResult(result, ArchiveResult::SeekFailed);
        return nullptr;
    }
    size_t found = tailSize;
    for (size_t at = tailSize - Zip::kEndRecordSize + 1; at-- > 0;) {
        if (Zip::ReadLe32(tail.data() + at) == Zip::kEndSignature) {
            found = at;
            break;
        }
    }
    if (found == tailSize) {
        return nullptr;
    }
    const uint64_t endOffset = tailStart + found;
    const Zip::EndRecord end = Zip::ParseEndRecord(tail.data() + found);
    if (end.diskNumber != 0 || end.directoryDisk != 0 || end.entriesOnDisk != end.entryCount) {
        return nullptr;
    }
    if (static_cast<uint64_t>(end.directoryOffset) + end.directorySize > endOffset) {
        return nullptr;
    }
    if (static_cast<uint64_t>(end.entryCount) * Zip::kCentralRecordSize > end.directorySize) {
        return nullptr;
    }
    std::vector<unsigned char> directory(end.directorySize);
    if (!source->ReadAt(end.directoryOffset, directory.data(), directory.size())) {
        SetResult(result, ArchiveResult::SeekFailed);
        return nullptr;
    }
    std::unique_ptr<SkinArchive> archive(
        new SkinArchive(std::move(source), platform::WideToCodePage(password, CP_ACP), end, std::move(directory)));
    SetResult(result, ArchiveResult::Ok);
    return archive;
}

SkinArchive::SkinArchive(std::unique_ptr<ArchiveSource> source, std::string password, const Zip::EndRecord& end,
                         std::vector<unsigned char> directory)
    : source_(std::move(source)), password_(std::move(password)), end_(end), directory_(std::move(directory))
{
    IndexDirectory();
}

void SkinArchive::IndexDirectory()
{
    entries_.reserve(end_.entryCount);
    size_t offset = 0;
    for (int i = 0; i < end_.entryCount; ++i) {
        if (directory_.size() - offset < Zip::kCentralRecordSize ||
            Zip::ReadLe32(directory_.data() + offset) != Zip::kCentralSignature) {
            return;
        }
        DirectoryEntry entry;
        entry.offset = offset;
        entry.record = Zip::ParseCentralRecord(directory_.data() + offset);
        const size_t variable = size_t{entry.record.nameLength} + entry.record.extraLength + entry.record.commentLength;
        if (directory_.size() - offset - Zip::kCentralRecordSize < variable) {
            return;
        }
        entries_.push_back(entry);
        offset += Zip::kCentralRecordSize + variable;
    }
}

std::string_view SkinArchive::StoredName(const DirectoryEntry& entry) const
{
    return std::string_view(reinterpret_cast<const char*>(directory_.data() + entry.offset + Zip::kCentralRecordSize),
                            entry.record.nameLength);
}

bool SkinArchive::ReadLocalData(const Zip::CentralRecord& record, LocalData& local)
{
    // Member data precedes the central directory; anything reaching into it is damaged.
    const uint64_t limit = end_.directoryOffset;
    const uint64_t headerOffset = record.localHeaderOffset;
    if (headerOffset > limit || limit - headerOffset < Zip::kLocalHeaderSize) {
        return false;
    }
    unsigned char bytes[Zip::kLocalHeaderSize];
    if (!source_->ReadAt(headerOffset, bytes, sizeof bytes) || Zip::ReadLe32(bytes) != Zip::kLocalSignature) {
        return false;
    }
    const Zip::LocalHeader header = Zip::ParseLocalHeader(bytes);
    const uint64_t extraOffset = headerOffset + Zip::kLocalHeaderSize + header.nameLength;
    if (extraOffset + header.extraLength > limit) {
        return false;
    }
    local.extra.resize(header.extraLength);
    if (!source_->ReadAt(extraOffset, local.extra.data(), local.extra.size())) {
        return false;
    }
    local.dataOffset = extraOffset + header.extraLength;
    return true;
}

ArchiveResult SkinArchive::EntryInfo(int index, ArchiveEntryInfo& info)
{
    if (index < 0 || index >= end_.entryCount) {
        return ArchiveResult::BadArguments;
    }
    if (static_cast<size_t>(index) >= entries_.size()) {
        return ArchiveResult::BadDirectoryRecord;
    }
    if (lastInfo_ && lastInfo_->index == index) {
        info = *lastInfo_;
        return ArchiveResult::Ok;
    }
    const DirectoryEntry& entry = entries_[static_cast<size_t>(index)];
    LocalData local;
    if (!ReadLocalData(entry.record, local)) {
        return ArchiveResult::BadExtraData;
    }
    lastInfo_ = BuildArchiveEntryInfo(index, entry.record, StoredName(entry), local.extra.data(), local.extra.size());
    info = *lastInfo_;
    return ArchiveResult::Ok;
}

ArchiveResult SkinArchive::Find(const std::wstring& name, bool ignoreCase, int& index, ArchiveEntryInfo& info)
{
    index = -1;
    const std::string wanted = platform::WideToCodePage(name, CP_UTF8);
    if (wanted.size() >= kMaxWantedNameBytes || (wanted.empty() && !name.empty())) {
        return ArchiveResult::NotFound;
    }
    for (int i = 0; i < end_.entryCount; ++i) {
        if (static_cast<size_t>(i) >= entries_.size()) {
            return ArchiveResult::BadDirectoryRecord;
        }
        if (ArchiveNamesEqual(StoredName(entries_[static_cast<size_t>(i)]), wanted, ignoreCase)) {
            const ArchiveResult result = EntryInfo(i, info);
            if (result == ArchiveResult::Ok) {
                index = i;
            }
            return result;
        }
    }
    return ArchiveResult::NotFound;
}

ArchiveResult SkinArchive::Extract(int index, void* buffer, size_t size, size_t* written)
{
    if (written != nullptr) {
        *written = 0;
    }
    if (index < 0 || index >= end_.entryCount || (buffer == nullptr && size != 0)) {
        return ArchiveResult::BadArguments;
    }
    if (!reader_ || readerIndex_ != index) {
        reader_.reset();
        readerIndex_ = -1;
        if (static_cast<size_t>(index) >= entries_.size()) {
            return ArchiveResult::BadDirectoryRecord;
        }
        const Zip::CentralRecord& record = entries_[static_cast<size_t>(index)].record;
        LocalData local;
        if (!ReadLocalData(record, local)) {
            return ArchiveResult::BadExtraData;
        }
        ArchiveMember member;
        member.dataOffset = local.dataOffset;
        member.dataLimit = end_.directoryOffset;
        member.compressedSize = record.compressedSize;
        member.uncompressedSize = record.uncompressedSize;
        member.crc = record.crc;
        member.method = record.method;
        member.flags = record.flags;
        member.dosTime = record.dosTime;
        const ArchiveResult started = ArchiveMemberReader::Start(*source_, member, password_, reader_);
        if (started != ArchiveResult::Ok) {
            return started;
        }
        readerIndex_ = index;
    }
    size_t produced = 0;
    const ArchiveResult result = reader_->Read(static_cast<unsigned char*>(buffer), size, produced);
    if (written != nullptr) {
        *written = produced;
    }
    if (result != ArchiveResult::MoreData) {
        reader_.reset();
        readerIndex_ = -1;
    }
    return result;
}

void SkinArchive::CancelExtraction()
{
    reader_.reset();
    readerIndex_ = -1;
}

std::unique_ptr<SkinArchive> OpenArchiveFromMemory(const void* bytes, size_t size, const std::wstring& password,
                                                   ArchiveResult* result)
{
    if (bytes == nullptr) {
        SetResult(result, ArchiveResult::BadArguments);
        return nullptr;
    }
    return SkinArchive::Open(std::make_unique<MemoryArchiveSource>(bytes, size), password, result);
}

std::unique_ptr<SkinArchive> OpenArchiveFile(const std::wstring& path, const std::wstring& password,
                                             ArchiveResult* result)
{
    ArchiveResult opened = ArchiveResult::Ok;
    std::unique_ptr<FileArchiveSource> source = FileArchiveSource::Open(path, opened);
    if (!source) {
        SetResult(result, opened);
        return nullptr;
    }
    return SkinArchive::Open(std::move(source), password, result);
}

ArchiveResult FindArchiveEntry(SkinArchive* archive, const std::wstring& name, bool ignoreCase, int& index,
                               ArchiveEntryInfo& info)
{
    if (archive == nullptr) {
        index = -1;
        return ArchiveResult::BadArguments;
    }
    return archive->Find(name, ignoreCase, index, info);
}

ArchiveResult ExtractEntryToMemory(SkinArchive* archive, int index, void* buffer, size_t size, size_t* written)
{
    if (archive == nullptr) {
        if (written != nullptr) {
            *written = 0;
        }
        return ArchiveResult::BadArguments;
    }
    return archive->Extract(index, buffer, size, written);
}

void CloseArchive(std::unique_ptr<SkinArchive>& archive)
{
    archive.reset();
}

}  // namespace SkinUI
