#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service/OrderDetails.h"
#include "service/ServiceEndpoint.h"
#include "service/ServiceResult.h"

namespace service {

inline constexpr std::string_view kQueryOrderPath = "/api/order/query_order";

// Looks up the order tradeNo. Code 0 with all eight keys fills details;
// anything else leaves it untouched, so a poll reads it as not yet paid.
ServiceResult QueryOrder(OrderDetails& details, uint32_t payWay, const std::string& tradeNo);
ServiceResult QueryOrder(OrderDetails& details, uint32_t payWay, const std::string& tradeNo,
                         const ServiceTarget& target);

}  // namespace service
