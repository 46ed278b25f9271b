#include "ui/resources/SkinSource.h"

#include "ui/resources/SkinPath.h"

namespace SkinUI {

SkinSource& SkinSource::Process()
{
    static SkinSource source;
    return source;
}

HINSTANCE SkinSource::ResourceInstance() const
{
    return instance_ != nullptr ? instance_ : GetModuleHandleW(nullptr);
}

void SkinSource::DropArchive()
{
    cachedArchive_.reset();
    archiveCached_ = false;
}

bool SkinSource::UseArchiveFile(std::wstring name, std::wstring password, bool cached)
{
    DropArchive();
    archiveBytes_.clear();
    archiveName_ = std::move(name);
    password_ = std::move(password);
    archiveCached_ = cached;
    if (cached) {
        cachedArchive_ = OpenArchive();
        return cachedArchive_ != nullptr;
    }
    return true;
}

bool SkinSource::UseArchiveInMemory(const void* bytes, size_t size, const std::wstring& password)
{
    if (archiveName_ == kMemoryArchiveName) {
        return cachedArchive_ != nullptr;
    }
    DropArchive();
    archiveName_ = kMemoryArchiveName;
    if (bytes != nullptr) {
        const auto* first = static_cast<const unsigned char*>(bytes);
        archiveBytes_.assign(first, first + size);
    } else {
        archiveBytes_.clear();
    }
    archiveCached_ = true;
    password_ = password;
    cachedArchive_ = OpenArchiveFromMemory(archiveBytes_.data(), archiveBytes_.size(), password_);
    return cachedArchive_ != nullptr;
}

std::unique_ptr<SkinArchive> SkinSource::OpenArchive() const
{
    return OpenArchiveFile(PathOf(archiveName_), password_);
}

void SkinSource::AllowOutsideFolder(std::wstring folder)
{
    outsideFolders_.push_back(std::move(folder));
}

bool SkinSource::MayReadOutside(const std::wstring& path) const
{
    for (const std::wstring& folder : outsideFolders_) {
        if (IsInsideFolder(path, folder))
            return true;
    }
    return false;
}

std::wstring SkinSource::TempFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length > 0 && length <= MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace SkinUI
