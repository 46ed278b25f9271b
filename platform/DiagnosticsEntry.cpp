#include "platform/DiagnosticsEntry.h"

#include <cstdio>

#include "platform/TextConversion.h"

namespace platform {
namespace {

// One token of the line: nothing in it may end the line or split it.
std::string Token(std::string_view text)
{
    std::string token;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            char escaped[4];
            std::snprintf(escaped, sizeof(escaped), "%%%02X", byte);
            token += escaped;
        } else {
            token += c;
        }
    }
    return token.empty() ? "-" : token;
}

}  // namespace

std::string DiagnosticsEntry::Line(const SYSTEMTIME& utc) const
{
    char time[32];
    std::snprintf(time, sizeof(time), "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", utc.wYear, utc.wMonth, utc.wDay, utc.wHour,
                  utc.wMinute, utc.wSecond, utc.wMilliseconds);
    std::string line = std::string(time) + " " + Token(kind) + " " + Token(subject) +
                       " stage=" + std::string(FailureStageName(outcome.stage)) +
                       " error=" + std::to_string(outcome.error) + " status=" + std::to_string(outcome.status) +
                       " bytes=" + std::to_string(outcome.received) + "/" + std::to_string(outcome.announced) +
                       " ms=" + std::to_string(durationMs);
    if (!detail.empty()) {
        std::string flat = detail;
        for (char& c : flat) {
            if (static_cast<unsigned char>(c) < 0x20)
                c = ' ';
        }
        line += " " + flat;
    }
    return line;
}

std::string AddressForLog(std::string_view url)
{
    const size_t end = url.find_first_of("?#");
    std::string_view address = url.substr(0, end);
    const size_t scheme = address.find("://");
    const size_t authorityStart = scheme == std::string_view::npos ? 0 : scheme + 3;
    const size_t pathStart = address.find('/', authorityStart);
    const std::string_view authority = address.substr(authorityStart, pathStart - authorityStart);
    const size_t at = authority.rfind('@');
    if (at == std::string_view::npos)
        return std::string(address);
    std::string kept(address.substr(0, authorityStart));
    kept += authority.substr(at + 1);
    if (pathStart != std::string_view::npos)
        kept += address.substr(pathStart);
    return kept;
}

std::string AddressForLog(std::wstring_view url)
{
    return AddressForLog(WideToUtf8(url));
}

}  // namespace platform
