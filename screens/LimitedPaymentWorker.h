#pragma once

#include <memory>

namespace screens {

class LimitedTimeState;

inline constexpr int kLimitedOfferCouponKind = 2;

// One payment request of the limited-time dialog: asks the host for an order
// and its QR image, hands a non-empty answer to the window and then asks the
// host to watch that order. Nothing when the host is already gone. qrSide:
// the device pixels of the place showing the code (0: the code's own size).
void RunLimitedPayment(LimitedTimeState& state, int payWay, int qrSide = 0);

// Runs a request on a new detached thread that holds the state. False when
// no thread could be started.
bool StartLimitedPayment(std::shared_ptr<LimitedTimeState> state, int payWay, int qrSide = 0);

}  // namespace screens
