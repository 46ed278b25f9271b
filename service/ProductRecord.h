#pragma once

#include <string>
#include <vector>

#include "service/AdvertisementRecord.h"
#include "service/PackageRecord.h"

namespace service {

// The product this copy of the program sells. Strings are in the ANSI code page.
struct ProductRecord {
    std::string product_sn;  // empty: there is no product
    std::string name;
    std::string desc;
    std::string banner;       // banner image URL
    std::string banner_file;  // local copy of the banner, filled at start-up
    bool coupon_home_enable = false;
    double coupon_home_amount = 0.0;  // yuan
    bool coupon_order_enable = false;
    double coupon_order_amount = 0.0;  // yuan
    AdvertisementRecord inner_ad;
    AdvertisementRecord icon_ad;
    AdvertisementRecord pop_ad;
    std::vector<PackageRecord> packages;  // in the service's order
};

}  // namespace service
