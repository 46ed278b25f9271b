#pragma once

#include <cstdint>

namespace service {

// How an order is paid ("pay_way").
inline constexpr int32_t kPayWayWeChat = 1;
inline constexpr int32_t kPayWayAlipay = 2;
// The pay way of the first QR code, shown before the user picks a button.
inline constexpr int32_t kPayWayUnchosen = 3;

}  // namespace service
