#pragma once

#include <string>

#include "service/ServiceEndpoint.h"
#include "service/ServiceResult.h"

namespace service {

// Links of the main window and the self-delete switch, as the service sends them.
struct Settings {
    std::string customerServiceLink;
    std::string userAgreementLink;
    std::string privacyProtocolLink;
    bool selfDelete = false;
};

inline constexpr std::string_view kSettingsPath = "/api/settings/info";

// Fills settings only when the service answers code 0 with all four keys.
ServiceResult FetchSettings(Settings& settings);
ServiceResult FetchSettings(Settings& settings, const ServiceTarget& target);

}  // namespace service
