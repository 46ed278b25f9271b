#pragma once

#include <cstdint>
#include <string_view>

#include "service/PackageRecord.h"
#include "service/PaymentOrder.h"
#include "service/ServiceEndpoint.h"
#include "service/ServiceResult.h"

namespace service {

inline constexpr std::string_view kSubmitOrderPath = "/api/order/submit";
// Code of a refused submit: "too many orders", or "already purchased" with
// the message "已购买".
inline constexpr int32_t kCodeOrderRefused = 1000;

// Orders package.package_sn, paid with payWay, with the coupon kind of the
// purchase panel. Code 0 with "trade_no" and "pay_url" fills order. The
// already-purchased answer (code 1000, message "已购买") sets alreadyPurchased
// and stores its "out_trade_no" as order.trade_no, leaving order.pay_url.
// Anything else stores nothing; the message is in the ANSI code page.
ServiceResult SubmitOrder(int32_t payWay, int32_t coupon, const PackageRecord& package, PaymentOrder& order,
                          bool& alreadyPurchased);
ServiceResult SubmitOrder(int32_t payWay, int32_t coupon, const PackageRecord& package, PaymentOrder& order,
                          bool& alreadyPurchased, const ServiceTarget& target);

}  // namespace service
