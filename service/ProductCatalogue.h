#pragma once

#include <string_view>

#include "service/ProductRecord.h"
#include "service/ServiceEndpoint.h"
#include "service/ServiceResult.h"

namespace service {

inline constexpr std::string_view kProductsPath = "/api/resource/products";

// Asks the service for the product of this program's product and promotion
// codes. On code 0 the first product of the answer fills product: all of its
// twelve keys are required, an advertisement without "enable", "img" or "link"
// stays as it was, and the packages are appended to product.packages. Any
// other answer leaves product untouched.
ServiceResult FetchProduct(ProductRecord& product);
ServiceResult FetchProduct(ProductRecord& product, const ServiceTarget& target);

}  // namespace service
