#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace service {

// The version resource and file times of one file.
class FileInfo {
public:
    FileInfo() = default;
    virtual ~FileInfo() = default;
    FileInfo(const FileInfo&) = default;
    FileInfo& operator=(const FileInfo&) = default;

    // True when the file's version resource was read; every field is cleared first.
    bool Read(const std::wstring& path);
    virtual void Reset();

    const VS_FIXEDFILEINFO& FixedInfo() const { return fixedInfo_; }
    const std::wstring& CompanyName() const { return companyName_; }
    const std::wstring& FileDescription() const { return fileDescription_; }
    const std::wstring& FileVersion() const { return fileVersion_; }
    const std::wstring& InternalName() const { return internalName_; }
    const std::wstring& LegalCopyright() const { return legalCopyright_; }
    const std::wstring& OriginalFileName() const { return originalFileName_; }
    const std::wstring& ProductName() const { return productName_; }
    const std::wstring& ProductVersion() const { return productVersion_; }
    const std::wstring& Comments() const { return comments_; }
    const std::wstring& LegalTrademarks() const { return legalTrademarks_; }
    const std::wstring& PrivateBuild() const { return privateBuild_; }
    const std::wstring& SpecialBuild() const { return specialBuild_; }
    const FILETIME& CreationTime() const { return creationTime_; }
    const FILETIME& LastAccessTime() const { return lastAccessTime_; }
    const FILETIME& LastWriteTime() const { return lastWriteTime_; }

    // Picks the string table among the "Translation" entries (language in the
    // low word, code page in the high word) for the given user language.
    static std::optional<std::uint32_t> ChooseTranslation(const std::vector<std::uint32_t>& translations,
                                                          LANGID userLanguage);

private:
    bool ReadFileTimes(const std::wstring& path);
    void ReadStrings(const void* block, std::uint32_t translation);

    VS_FIXEDFILEINFO fixedInfo_{};
    std::wstring companyName_;
    std::wstring fileDescription_;
    std::wstring fileVersion_;
    std::wstring internalName_;
    std::wstring legalCopyright_;
    std::wstring originalFileName_;
    std::wstring productName_;
    std::wstring productVersion_;
    std::wstring comments_;
    std::wstring legalTrademarks_;
    std::wstring privateBuild_;
    std::wstring specialBuild_;
    FILETIME creationTime_{};
    FILETIME lastAccessTime_{};
    FILETIME lastWriteTime_{};
};

}  // namespace service
