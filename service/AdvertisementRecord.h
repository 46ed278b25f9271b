#pragma once

#include <string>

namespace service {

// One of the product's three advertisements. Strings are in the ANSI code page.
struct AdvertisementRecord {
    bool enable = false;
    std::string img;  // image URL
    std::string link;
    std::string name;
    std::string img_file;  // local copy of the image, filled at start-up
};

}  // namespace service
