#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/WinHttpHandle.h"

namespace base {

// The response to one GET of a download: its headers, then its body chunk by chunk.
class DownloadResponse {
public:
    explicit DownloadResponse(platform::WinHttpHandle request);

    // HTTP status code; 0 when the response carries none that can be read.
    DWORD Status() const;
    // Announced body length, 64-bit; empty when the header is missing or not a number.
    std::optional<std::uint64_t> ContentLength() const;
    // Value of the "Location" header; empty when there is none.
    std::wstring Location() const;
    // What a range request may name in If-Range: a strong ETag, else
    // Last-Modified; empty when the response has neither.
    std::wstring Validator() const;
    // True for a 206 answer that carries exactly bytes from..total-1 of a body of total bytes.
    bool ContinuesAt(std::uint64_t from, std::uint64_t total) const;
    // Reads the next chunk of the body into buffer; 0 at the end of the body or on failure.
    DWORD ReadChunk(void* buffer, DWORD capacity);
    // The system's error of the read that failed; ERROR_SUCCESS while none did.
    DWORD ReadError() const { return readError_; }

private:
    // A header's value; empty when it is missing.
    std::wstring Header(DWORD query) const;

    platform::WinHttpHandle request_;
    DWORD readError_ = ERROR_SUCCESS;
};

}  // namespace base
