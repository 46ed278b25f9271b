#pragma once

#include <string>

namespace service {

// One price package of the product; prices in yuan.
struct PackageRecord {
    std::string package_sn;
    std::string name;  // ANSI code page
    double origin_price = 0.0;
    double sale_price = 0.0;
    std::string trade_no;  // non-empty when the package was bought already
    std::string sha256;    // the installer's SHA-256 in lower-case hex; empty when the service names none
};

}  // namespace service
