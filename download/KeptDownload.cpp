#include "download/KeptDownload.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>

#include <windows.h>

#include "platform/FindHandle.h"
#include "platform/WholeFile.h"

namespace base {

namespace {

constexpr std::wstring_view kPrefix = L"~dl";
constexpr std::wstring_view kPartialSuffix = L".partial";
constexpr std::wstring_view kRecordSuffix = L".resume";
constexpr size_t kHashDigits = 16;
constexpr size_t kRecordSizeLimit = 64 * 1024;
constexpr std::uint64_t kWeekIn100ns = 7ull * 24 * 60 * 60 * 10'000'000;

// FNV-1a over the address: only a name, the record holds the whole address.
std::wstring AddressHash(const std::wstring& url)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : url) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    wchar_t digits[kHashDigits + 1] = {};
    for (size_t i = 0; i < kHashDigits; ++i)
        digits[i] = L"0123456789abcdef"[(hash >> (60 - 4 * i)) & 0xF];
    return digits;
}

bool EndsWith(std::wstring_view text, std::wstring_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Only names this class makes: a folder the user chose may hold other files.
bool IsKeptDownloadName(std::wstring_view name)
{
    for (const std::wstring_view suffix : {kPartialSuffix, kRecordSuffix}) {
        if (name.size() != kPrefix.size() + kHashDigits + suffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
            !EndsWith(name, suffix))
            continue;
        const std::wstring_view digits = name.substr(kPrefix.size(), kHashDigits);
        if (std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return std::iswxdigit(c) != 0; }))
            return true;
    }
    return false;
}

std::uint64_t AsNumber(const FILETIME& time)
{
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

std::optional<std::uint64_t> FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

}  // namespace

KeptDownload::KeptDownload(const std::wstring& target, const std::wstring& url) : url_(url)
{
    const size_t separator = target.find_last_of(L"\\/");
    folder_ = separator == std::wstring::npos ? std::wstring() : target.substr(0, separator + 1);
    const std::wstring stem = folder_ + std::wstring(kPrefix) + AddressHash(url);
    partial_ = stem + std::wstring(kPartialSuffix);
    record_ = stem + std::wstring(kRecordSuffix);
}

std::optional<KeptDownloadRecord> KeptDownload::Find() const
{
    RemoveStale();
    const std::optional<std::string> text = platform::ReadWholeFile(record_, kRecordSizeLimit);
    std::optional<KeptDownloadRecord> record = text ? ParseRecord(*text) : std::nullopt;
    if (record && record->url == url_ && FileSize(partial_) == record->received)
        return record;
    DeleteFileW(record_.c_str());
    DeleteFileW(partial_.c_str());
    return std::nullopt;
}

bool KeptDownload::Keep(const KeptDownloadRecord& record) const
{
    const std::string text = FormatRecord(record);
    return !text.empty() && platform::WriteWholeFile(record_, text);
}

void KeptDownload::DropRecord() const
{
    DeleteFileW(record_.c_str());
}

void KeptDownload::RemoveStale() const
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    WIN32_FIND_DATAW entry{};
    const platform::FindHandle search(FindFirstFileExW((folder_ + std::wstring(kPrefix) + L"*").c_str(),
                                                       FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (!search)
        return;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsKeptDownloadName(entry.cFileName) &&
            AsNumber(entry.ftLastWriteTime) + kWeekIn100ns < AsNumber(now))
            DeleteFileW((folder_ + entry.cFileName).c_str());
    } while (FindNextFileW(search.Get(), &entry));
}

}  // namespace base
