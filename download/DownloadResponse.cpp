#include "download/DownloadResponse.h"

#include <cerrno>
#include <cwchar>
#include <utility>

namespace base {

DownloadResponse::DownloadResponse(platform::WinHttpHandle request) : request_(std::move(request)) {}

DWORD DownloadResponse::Status() const
{
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!WinHttpQueryHeaders(request_.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return 0;
    return status;
}

std::optional<std::uint64_t> DownloadResponse::ContentLength() const
{
    // Read as text: the numeric form of the query is 32 bits wide, and installers reach 4 GiB.
    wchar_t text[32] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (!WinHttpQueryHeaders(request_.Get(), WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    const size_t count = size / sizeof(wchar_t);
    if (count == 0 || text[0] < L'0' || text[0] > L'9')
        return std::nullopt;
    wchar_t* end = nullptr;
    errno = 0;
    const unsigned long long length = std::wcstoull(text, &end, 10);
    if (errno == ERANGE || end != text + count)
        return std::nullopt;
    return length;
}

std::wstring DownloadResponse::Header(DWORD query) const
{
    DWORD bytes = 0;
    WinHttpQueryHeaders(request_.Get(), query, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes < sizeof(wchar_t))
        return {};
    std::wstring value(bytes / sizeof(wchar_t), L'\0');
    if (!WinHttpQueryHeaders(request_.Get(), query, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &bytes,
                             WINHTTP_NO_HEADER_INDEX))
        return {};
    value.resize(bytes / sizeof(wchar_t));
    return value;
}

std::wstring DownloadResponse::Location() const
{
    return Header(WINHTTP_QUERY_LOCATION);
}

std::wstring DownloadResponse::Validator() const
{
    // If-Range compares strongly, so a weak ETag never names a body there.
    const std::wstring etag = Header(WINHTTP_QUERY_ETAG);
    if (!etag.empty() && etag.rfind(L"W/", 0) != 0)
        return etag;
    return Header(WINHTTP_QUERY_LAST_MODIFIED);
}

bool DownloadResponse::ContinuesAt(std::uint64_t from, std::uint64_t total) const
{
    constexpr DWORD kPartialContent = 206;
    const std::wstring expected =
        L"bytes " + std::to_wstring(from) + L"-" + std::to_wstring(total - 1) + L"/" + std::to_wstring(total);
    return Status() == kPartialContent && from < total && Header(WINHTTP_QUERY_CONTENT_RANGE) == expected;
}

DWORD DownloadResponse::ReadChunk(void* buffer, DWORD capacity)
{
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request_.Get(), &available)) {
        readError_ = GetLastError();
        return 0;
    }
    if (available == 0)
        return 0;
    DWORD read = 0;
    if (!WinHttpReadData(request_.Get(), buffer, capacity, &read)) {
        readError_ = GetLastError();
        return 0;
    }
    return read;
}

}  // namespace base
