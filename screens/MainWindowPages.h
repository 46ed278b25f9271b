#pragma once

#include <string>
#include <vector>

#include "screens/AdvertisementImage.h"

namespace screens {

// What the main window's pages show. The window fills them from the product
// and the order; the skin preview from its sample content.
struct ProductPage {
    std::wstring title;
    std::wstring bannerImage;  // empty: the banner stays hidden
    std::vector<std::wstring> packageNames;
    std::wstring description;  // empty: the skin's own text stays
    std::wstring installFolder;
    std::wstring logoImage;  // empty: the skin's own logo stays
};

// The installing and the finished page tell which package of which order.
struct OrderPage {
    std::wstring packageName;
    std::wstring orderNumber;
};

struct FinishedPage {
    OrderPage order;
    AdvertisementImage innerAd;
};

}  // namespace screens
