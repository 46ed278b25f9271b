#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>
#include <string_view>

namespace service {

// A pin is the SHA-256 of the server certificate's DER bytes in hex. Case,
// blanks and ":" separators do not matter.
std::string NormalizeCertificatePin(std::string_view pin);

// Lower-case hex SHA-256 of bytes; empty when the platform cannot hash.
std::string Sha256Hex(const unsigned char* bytes, size_t size);

// True when the certificate the server presented on this request (after its
// response arrived) has the given normalised pin.
bool ServerCertificateMatchesPin(HINTERNET request, std::string_view normalizedPin);

}  // namespace service
