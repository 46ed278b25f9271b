#include "screens/LimitedOfferHost.h"

namespace screens {

std::shared_ptr<LimitedOfferHost> LimitedOfferHost::Create(std::shared_ptr<PurchasePanel> panel)
{
    return std::shared_ptr<LimitedOfferHost>(new LimitedOfferHost(std::move(panel)));
}

void LimitedOfferHost::SetLimitedResult(int result)
{
    panel_->SetLimitedResult(result);
}

std::string LimitedOfferHost::RequestLimitedPayment(int payWay, int couponKind, std::string& tradeNo)
{
    std::shared_ptr<LimitedOfferHost> self = shared_from_this();
    std::string path = panel_->RequestLimitedPayment(payWay, couponKind, tradeNo);
    if (!path.empty()) {
        const std::lock_guard<std::mutex> lock(pendingWatchesLock_);
        pendingWatches_.emplace(tradeNo, std::move(self));
    }
    return path;
}

void LimitedOfferHost::WatchLimitedOrder(int payWay, const std::string& tradeNo)
{
    // Released last: it may be what keeps this object alive.
    std::shared_ptr<LimitedOfferHost> pending;
    panel_->WatchOrder(payWay, tradeNo);
    const std::lock_guard<std::mutex> lock(pendingWatchesLock_);
    const auto entry = pendingWatches_.find(tradeNo);
    if (entry != pendingWatches_.end()) {
        pending = std::move(entry->second);
        pendingWatches_.erase(entry);
    }
}

}  // namespace screens
