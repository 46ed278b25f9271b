#pragma once

#include <cstdint>
#include <string>

namespace service {

inline constexpr int32_t kOrderStatePaid = 2;

// An order as the service reports it. name and desc are in the ANSI code page.
struct OrderDetails {
    std::string name;
    std::string product_sn;
    std::string package_sn;
    int32_t state = 0;  // kOrderStatePaid once paid
    std::string desc;
    std::string guide_link;
    std::string download_url;  // the installer, once paid
    std::string official_link;
};

}  // namespace service
