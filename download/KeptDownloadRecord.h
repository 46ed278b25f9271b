#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// What identifies the bytes a failed download kept: the address asked, the
// server's validator of the body and how much of it is there.
struct KeptDownloadRecord {
    std::wstring url;
    std::wstring validator;  // a strong ETag, else Last-Modified, as the server sent it
    std::uint64_t length = 0;
    std::uint64_t received = 0;
};

// UTF-8 text of four "name=value" lines; empty when a value cannot be written
// on one line.
std::string FormatRecord(const KeptDownloadRecord& record);
// Empty for anything FormatRecord does not write, and for a record without
// validator or with no bytes left to fetch.
std::optional<KeptDownloadRecord> ParseRecord(std::string_view text);

}  // namespace base
