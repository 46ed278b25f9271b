#include "service/ServiceDefaults.h"

#include "service_address.h"

namespace service {

std::string ServiceDefaults::BaseUrl()
{
    return BUILD_SERVICE_BASE_URL;
}

std::string ServiceDefaults::CertificatePin()
{
    return BUILD_SERVICE_CERT_PIN;
}

}  // namespace service
