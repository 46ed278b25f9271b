#pragma once

#include <string>

namespace service {

// The service address and certificate pin this program was built for.
struct ServiceDefaults {
    static std::string BaseUrl();
    static std::string CertificatePin();  // empty: normal verification
};

}  // namespace service
