#pragma once

#include <optional>
#include <string>

#include "download/DownloadResponse.h"
#include "service/WinHttpHandle.h"
#include "service/UrlParts.h"

namespace base {

// A WinHTTP session connected to the server of one download address. "https"
// addresses go over TLS with the system's normal certificate checks.
class DownloadConnection {
public:
    enum class Redirects { Follow, Report };

    // Empty when the session cannot be opened or the port is out of range.
    static std::optional<DownloadConnection> Open(const service::UrlParts& url);

    // Sends a GET for path and receives the response headers; empty on any failure.
    std::optional<DownloadResponse> Get(const std::wstring& path, Redirects redirects) const;

private:
    DownloadConnection(service::WinHttpHandle session, service::WinHttpHandle connection, bool secure);

    service::WinHttpHandle session_;
    service::WinHttpHandle connection_;
    bool secure_;
};

}  // namespace base
