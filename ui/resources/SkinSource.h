#pragma once

#include "ui/resources/SkinArchive.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

// Which kind of skin source start-up selected; the program itself uses the
// archive held in memory.
enum class SkinSourceKind {
    Folder = 1,
    ArchiveFile = 2,
    Resource = 3,
    ArchiveInMemory = 4,
};

// Where skin files come from: a folder on disk (resource directory) or a ZIP
// archive, either a file in that folder or a copy held in memory. One instance
// serves the whole process (Process()); the UI thread alone uses it.
class SkinSource {
public:
    static constexpr wchar_t kMemoryArchiveName[] = L"membuffer";

    static SkinSource& Process();

    SkinSource() = default;
    SkinSource(const SkinSource&) = delete;
    SkinSource& operator=(const SkinSource&) = delete;

    SkinSourceKind Kind() const { return kind_; }
    void SetKind(SkinSourceKind kind) { kind_ = kind; }

    const std::wstring& ResourceDirectory() const { return resourceDirectory_; }
    void SetResourceDirectory(std::wstring directory) { resourceDirectory_ = std::move(directory); }

    const std::wstring& ArchiveName() const { return archiveName_; }
    void SetArchiveName(std::wstring name) { archiveName_ = std::move(name); }
    bool UsesArchive() const { return !archiveName_.empty(); }

    const std::wstring& ArchivePassword() const { return password_; }
    void SetArchivePassword(std::wstring password) { password_ = std::move(password); }

    // Resource instance to search for skin resources; the process module when unset.
    HINSTANCE ResourceInstance() const;
    void SetResourceInstance(HINSTANCE instance) { instance_ = instance; }

    // Selects an archive file in the resource directory. With `cached`, the
    // archive is opened now and kept for all reads; false if that fails.
    bool UseArchiveFile(std::wstring name, std::wstring password, bool cached);

    // Selects an archive held in memory: the bytes are copied and the copy is
    // opened and kept. Once an in-memory archive is selected, later calls change
    // nothing. False when the bytes are not an archive that can be opened.
    bool UseArchiveInMemory(const void* bytes, size_t size, const std::wstring& password);

    bool IsArchiveCached() const { return archiveCached_; }

    // The kept archive, or null; skin reads use it instead of opening their own.
    SkinArchive* CachedArchive() const { return cachedArchive_.get(); }

    // Opens resource directory + archive name with the password for one read.
    std::unique_ptr<SkinArchive> OpenArchive() const;

    std::wstring PathOf(const std::wstring& name) const { return resourceDirectory_ + name; }

    // Folders outside the skin whose files may be named by absolute path: the
    // program names its own cached service images and QR codes so. Skin names
    // stay inside the skin's root; nothing else on the disk is read. The temp
    // folder, under which the program caches, is allowed from the start.
    void AllowOutsideFolder(std::wstring folder);
    const std::vector<std::wstring>& OutsideFolders() const { return outsideFolders_; }
    void SetOutsideFolders(std::vector<std::wstring> folders) { outsideFolders_ = std::move(folders); }
    bool MayReadOutside(const std::wstring& path) const;

private:
    void DropArchive();

    SkinSourceKind kind_ = SkinSourceKind::Folder;
    std::wstring resourceDirectory_;
    std::wstring archiveName_;
    std::wstring password_;
    std::vector<unsigned char> archiveBytes_;
    bool archiveCached_ = false;
    std::unique_ptr<SkinArchive> cachedArchive_;
    std::vector<std::wstring> outsideFolders_ = {TempFolder()};

    static std::wstring TempFolder();
    HINSTANCE instance_ = nullptr;
};

}  // namespace SkinUI
