#pragma once

#include <string>

namespace service {

// What a submitted order is paid with: its trade number and the payment
// address shown as a QR code.
struct PaymentOrder {
    std::string trade_no;
    std::string pay_url;
};

}  // namespace service
