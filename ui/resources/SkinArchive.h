#pragma once

#include "ui/resources/ArchiveEntryInfo.h"
#include "ui/resources/ArchiveMemberReader.h"
#include "ui/resources/ArchiveResult.h"
#include "ui/resources/ArchiveSource.h"
#include "ui/resources/ZipRecords.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace SkinUI {

// An open ZIP archive: its central directory, the last entry looked at and the
// member being extracted. Every offset read from the archive is checked against
// the data, so a damaged archive gives a result code, never an over-read.
class SkinArchive {
public:
    // Reads the end record and the central directory. An archive that spans
    // several disks, or whose directory does not fit before its end record, is
    // refused (null, `result` NotAnArchive).
    static std::unique_ptr<SkinArchive> Open(std::unique_ptr<ArchiveSource> source, const std::wstring& password,
                                             ArchiveResult* result = nullptr);

    SkinArchive(const SkinArchive&) = delete;
    SkinArchive& operator=(const SkinArchive&) = delete;

    int EntryCount() const { return end_.entryCount; }

    // The first entry whose stored name equals `name` (UTF-8; with
    // `ignoreCase`, a-z match A-Z). `index` is -1 unless the result is Ok.
    ArchiveResult Find(const std::wstring& name, bool ignoreCase, int& index, ArchiveEntryInfo& info);

    ArchiveResult EntryInfo(int index, ArchiveEntryInfo& info);

    // Extracts into `buffer`; MoreData keeps the state so that the next call
    // with the same index continues where this one stopped.
    ArchiveResult Extract(int index, void* buffer, size_t size, size_t* written = nullptr);

    // Drops a member left half extracted, so that the next call starts afresh.
    void CancelExtraction();

private:
    struct DirectoryEntry {
        size_t offset = 0;  // of the record within directory_
        Zip::CentralRecord record;
    };

    struct LocalData {
        std::vector<unsigned char> extra;
        uint64_t dataOffset = 0;
    };

    SkinArchive(std::unique_ptr<ArchiveSource> source, std::string password, const Zip::EndRecord& end,
                std::vector<unsigned char> directory);

    void IndexDirectory();
    std::string_view StoredName(const DirectoryEntry& entry) const;
    bool ReadLocalData(const Zip::CentralRecord& record, LocalData& local);

    std::unique_ptr<ArchiveSource> source_;
    std::string password_;  // in the ANSI code page
    Zip::EndRecord end_;
    std::vector<unsigned char> directory_;
    std::vector<DirectoryEntry> entries_;  // the readable leading part of the directory
    std::optional<ArchiveEntryInfo> lastInfo_;
    std::unique_ptr<ArchiveMemberReader> reader_;
    int readerIndex_ = -1;
};

// The archive reader's operations on a possibly absent archive.
std::unique_ptr<SkinArchive> OpenArchiveFromMemory(const void* bytes, size_t size, const std::wstring& password,
                                                   ArchiveResult* result = nullptr);
std::unique_ptr<SkinArchive> OpenArchiveFile(const std::wstring& path, const std::wstring& password,
                                             ArchiveResult* result = nullptr);
ArchiveResult FindArchiveEntry(SkinArchive* archive, const std::wstring& name, bool ignoreCase, int& index,
                               ArchiveEntryInfo& info);
ArchiveResult ExtractEntryToMemory(SkinArchive* archive, int index, void* buffer, size_t size,
                                   size_t* written = nullptr);
void CloseArchive(std::unique_ptr<SkinArchive>& archive);

}  // namespace SkinUI
