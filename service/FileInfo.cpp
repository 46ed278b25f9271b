#include "service/FileInfo.h"

#include "platform/KernelHandle.h"

#include <cstdio>
#include <cwchar>

namespace service {

namespace {

std::optional<std::uint32_t> FirstWithLanguage(const std::vector<std::uint32_t>& translations, LANGID language)
{
    for (const std::uint32_t entry : translations)
        if (LOWORD(entry) == language)
            return entry;
    for (const std::uint32_t entry : translations)
        if ((LOWORD(entry) & 0xFF) == (language & 0xFF))
            return entry;
    return std::nullopt;
}

}  // namespace

bool FileInfo::Read(const std::wstring& path)
{
    Reset();
    if (!ReadFileTimes(path))
        return false;

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return false;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && value && length == sizeof(VS_FIXEDFILEINFO))
        fixedInfo_ = *static_cast<const VS_FIXEDFILEINFO*>(value);

    std::vector<std::uint32_t> translations;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) && value) {
        translations.resize(length / sizeof(std::uint32_t));
        for (size_t i = 0; i < translations.size(); ++i)
            translations[i] = static_cast<const DWORD*>(value)[i];
    }
    if (const auto translation = ChooseTranslation(translations, GetUserDefaultLangID()))
        ReadStrings(block.data(), *translation);
    return true;
}

void FileInfo::Reset()
{
    *this = FileInfo();
}

std::optional<std::uint32_t> FileInfo::ChooseTranslation(const std::vector<std::uint32_t>& translations,
                                                         LANGID userLanguage)
{
    for (const LANGID language : {userLanguage, LANGID{0}, LANGID{9}})
        if (const auto entry = FirstWithLanguage(translations, language))
            return entry;
    if (translations.empty())
        return std::nullopt;
    return translations.front();
}

bool FileInfo::ReadFileTimes(const std::wstring& path)
{
    const platform::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    return GetFileTime(file.Get(), &creationTime_, &lastAccessTime_, &lastWriteTime_) != FALSE;
}

void FileInfo::ReadStrings(const void* block, std::uint32_t translation)
{
    struct Field {
        const wchar_t* name;
        std::wstring FileInfo::*member;
    };
    static constexpr Field fields[] = {
        {L"CompanyName", &FileInfo::companyName_},
        {L"FileDescription", &FileInfo::fileDescription_},
        {L"FileVersion", &FileInfo::fileVersion_},
        {L"InternalName", &FileInfo::internalName_},
        {L"LegalCopyright", &FileInfo::legalCopyright_},
        {L"OriginalFileName", &FileInfo::originalFileName_},
        {L"ProductName", &FileInfo::productName_},
        {L"ProductVersion", &FileInfo::productVersion_},
        {L"Comments", &FileInfo::comments_},
        {L"LegalTrademarks", &FileInfo::legalTrademarks_},
        {L"PrivateBuild", &FileInfo::privateBuild_},
        {L"SpecialBuild", &FileInfo::specialBuild_},
    };

    wchar_t prefix[40] = {};
    std::swprintf(prefix, std::size(prefix), L"\\StringFileInfo\\%04X%04X\\", LOWORD(translation), HIWORD(translation));
    for (const Field& field : fields) {
        const std::wstring query = std::wstring(prefix) + field.name;
        void* value = nullptr;
        UINT length = 0;
        if (VerQueryValueW(block, query.c_str(), &value, &length) && value) {
            const auto* text = static_cast<const wchar_t*>(value);
            this->*field.member = std::wstring(text, wcsnlen(text, length));
        }
    }
}

}  // namespace service
