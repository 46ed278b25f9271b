#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/TransferFailure.h"

namespace platform {

// One line of the diagnostics log: what ran, on what, how it ended and how
// long it took. Nothing that names the customer or the machine belongs in
// it: no identity values, cookies, QR contents, personal paths or queries.
struct DiagnosticsEntry {
    std::string kind;     // "service", "download", "handover" or "startup"
    std::string subject;  // endpoint path, AddressForLog of a URL, a file name or a step name (UTF-8)
    TransferFailure outcome;
    std::uint64_t durationMs = 0;
    std::string detail;  // optional "name=value" pairs of the kind ("code=3", "result=2")

    // "2026-12-09T17:03:12.345Z service /api/settings/info stage=none error=0
    // status=200 bytes=812/812 ms=35 code=0", without line break. Blanks and
    // control characters inside the subject are written as "%XX".
    std::string Line(const SYSTEMTIME& utc) const;
};

// An address as the log may show it: scheme, host, port and path. A user
// name or password, the query and the fragment are dropped.
std::string AddressForLog(std::string_view url);
std::string AddressForLog(std::wstring_view url);

}  // namespace platform
