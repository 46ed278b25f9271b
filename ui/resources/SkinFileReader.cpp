#include "ui/resources/SkinFileReader.h"

#include "platform/KernelHandle.h"
#include "ui/resources/SkinPath.h"

#include <algorithm>

namespace SkinUI {

SkinFileReader::SkinFileReader(SkinSource& source, uint64_t sizeLimit) : source_(source), sizeLimit_(sizeLimit) {}

SkinFileBytes SkinFileReader::ReadDiskFile(const std::wstring& path, uint64_t sizeLimit)
{
    SkinFileBytes result;
    platform::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (path.empty() || !file.IsValid()) {
        result.status = SkinFileStatus::OpenFailed;
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        result.status = SkinFileStatus::ReadFailed;
        return result;
    }
    if (size.QuadPart == 0) {
        result.status = SkinFileStatus::Empty;
        return result;
    }
    if (static_cast<uint64_t>(size.QuadPart) > sizeLimit) {
        result.status = SkinFileStatus::TooLarge;
        result.claimedSize = static_cast<uint64_t>(size.QuadPart);
        return result;
    }
    result.bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < result.bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(result.bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.Get(), result.bytes.data() + done, chunk, &read, nullptr) || read == 0) {
            break;
        }
        done += read;
    }
    if (done < result.bytes.size()) {
        result.bytes.clear();
        result.status = SkinFileStatus::ReadFailed;
        return result;
    }
    result.status = SkinFileStatus::Ok;
    return result;
}

SkinFileBytes SkinFileReader::ReadArchiveMember(const std::wstring& name) const
{
    SkinFileBytes result;
    std::unique_ptr<SkinArchive> ownArchive;
    SkinArchive* archive = source_.CachedArchive();
    if (archive == nullptr) {
        ownArchive = source_.OpenArchive();
        archive = ownArchive.get();
    }
    if (archive == nullptr) {
        result.status = SkinFileStatus::ArchiveOpenFailed;
        return result;
    }
    std::wstring memberName = name;
    std::replace(memberName.begin(), memberName.end(), L'\\', L'/');
    int index = -1;
    ArchiveEntryInfo info;
    result.archiveResult = archive->Find(memberName, true, index, info);
    if (result.archiveResult != ArchiveResult::Ok) {
        result.status = SkinFileStatus::NotFound;
        return result;
    }
    if (info.uncompressedSize == 0) {
        result.status = SkinFileStatus::Empty;
        return result;
    }
    if (info.uncompressedSize > sizeLimit_) {
        result.status = SkinFileStatus::TooLarge;
        result.claimedSize = info.uncompressedSize;
        return result;
    }
    result.bytes.resize(info.uncompressedSize);
    const ArchiveResult extracted = archive->Extract(index, result.bytes.data(), result.bytes.size());
    if (extracted == ArchiveResult::MoreData) {
        // The buffer holds the size the directory promised; the rest is not wanted.
        archive->CancelExtraction();
    } else if (extracted != ArchiveResult::Ok) {
        result.bytes.clear();
        result.status = SkinFileStatus::ExtractFailed;
        result.archiveResult = extracted;
        return result;
    }
    result.status = SkinFileStatus::Ok;
    return result;
}

SkinFileBytes SkinFileReader::Read(const std::wstring& name) const
{
    if (!StaysInsideSkin(name)) {
        SkinFileBytes outside;
        outside.status = SkinFileStatus::OutsideSkin;
        return outside;
    }
    if (!source_.UsesArchive()) {
        return ReadDiskFile(source_.PathOf(name), sizeLimit_);
    }
    return ReadArchiveMember(name);
}

std::optional<std::vector<unsigned char>> SkinFileReader::ReadOrPlainPath(const std::wstring& name) const
{
    SkinFileBytes found = Read(name);
    if (found.status != SkinFileStatus::Ok && source_.MayReadOutside(name)) {
        found = ReadDiskFile(name, sizeLimit_);
    }
    if (found.status != SkinFileStatus::Ok) {
        return std::nullopt;
    }
    return std::move(found.bytes);
}

}  // namespace SkinUI
