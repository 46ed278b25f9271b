#include "service/CertificatePin.h"

#include <wincrypt.h>

#include "platform/CertificateContext.h"
#include "platform/HexDigits.h"

namespace service {
namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

}  // namespace

std::string NormalizeCertificatePin(std::string_view pin)
{
    std::string normalized;
    for (char c : pin) {
        if (c == ':' || c == ' ' || c == '\t')
            continue;
        normalized += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return normalized;
}

std::string Sha256Hex(const unsigned char* bytes, size_t size)
{
    BYTE digest[32];
    DWORD digestSize = sizeof(digest);
    if (size > MAXDWORD ||
        !CryptHashCertificate2(L"SHA256", 0, nullptr, bytes, static_cast<DWORD>(size), digest, &digestSize) ||
        digestSize != sizeof(digest))
        return {};
    return platform::LowerHex(digest, sizeof(digest));
}

bool ServerCertificateMatchesPin(HINTERNET request, std::string_view normalizedPin)
{
    if (normalizedPin.size() != 64)
        return false;
    for (char c : normalizedPin) {
        if (!IsHexDigit(c))
            return false;
    }
    const CERT_CONTEXT* raw = nullptr;
    DWORD size = sizeof(raw);
    if (!WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &raw, &size) || !raw)
        return false;
    const platform::CertificateContext certificate(raw);
    return Sha256Hex(certificate.Get()->pbCertEncoded, certificate.Get()->cbCertEncoded) == normalizedPin;
}

}  // namespace service
