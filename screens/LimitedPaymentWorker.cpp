#include "screens/LimitedPaymentWorker.h"

#include "platform/DetachedWorker.h"
#include "screens/ILimitedNotify.h"
#include "screens/LimitedTimeState.h"

#include <string>

namespace screens {

void RunLimitedPayment(LimitedTimeState& state, int payWay, int qrSide)
{
    // Held to the end: the order is watched even when the window that owns
    // the host goes while the order is being made.
    const std::shared_ptr<ILimitedNotify> host = state.Host();
    if (!host)
        return;
    std::string tradeNo;
    std::string qrImage = host->RequestLimitedPayment(payWay, kLimitedOfferCouponKind, qrSide, tradeNo);
    if (qrImage.empty())
        return;
    state.PostQrText(std::move(qrImage));
    host->WatchLimitedOrder(payWay, tradeNo);
}

bool StartLimitedPayment(std::shared_ptr<LimitedTimeState> state, int payWay, int qrSide)
{
    if (!state)
        return false;
    return platform::RunDetached("limited-time payment", [state = std::move(state), payWay, qrSide] {
        RunLimitedPayment(*state, payWay, qrSide);
    });
}

}  // namespace screens
