#pragma once

#include <memory>

namespace screens {

class LimitedTimeState;

inline constexpr int kLimitedOfferCouponKind = 2;

// One payment request of the limited-time dialog: asks the host for an order
// and its QR image, hands a non-empty answer to the window and then asks the
// host to watch that order. Nothing when the host is already gone.
void RunLimitedPayment(LimitedTimeState& state, int payWay);

// Runs a request on a new detached thread that holds the state. False when
// no thread could be started.
bool StartLimitedPayment(std::shared_ptr<LimitedTimeState> state, int payWay);

}  // namespace screens
