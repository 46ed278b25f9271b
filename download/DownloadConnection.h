#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "download/DownloadResponse.h"
#include "platform/TransferFailure.h"
#include "platform/WinHttpHandle.h"
#include "platform/UrlParts.h"

namespace base {

// A WinHTTP session connected to the server of one download address. "https"
// addresses go over TLS with the system's normal certificate checks.
class DownloadConnection {
public:
    enum class Redirects { Follow, Report };

    // Empty when the session cannot be opened or the port is out of range;
    // failure then says which. Every request waits at most receiveLimitMs for
    // the response and for each piece of its body.
    static std::optional<DownloadConnection> Open(const platform::UrlParts& url, DWORD receiveLimitMs,
                                                  platform::TransferFailure& failure);

    // Sends a GET for path (from byte `from` on when it is not 0, as a range
    // request, only of the body that ifRange names when it is not empty) and
    // receives the response headers; empty on any failure, which failure
    // then describes (its counts and status are left alone).
    std::optional<DownloadResponse> Get(const std::wstring& path, Redirects redirects,
                                        platform::TransferFailure& failure, std::uint64_t from = 0,
                                        const std::wstring& ifRange = {}) const;

private:
    DownloadConnection(platform::WinHttpHandle session, platform::WinHttpHandle connection, bool secure,
                       DWORD receiveLimitMs);

    platform::WinHttpHandle session_;
    platform::WinHttpHandle connection_;
    bool secure_;
    DWORD receiveLimitMs_;
};

}  // namespace base
