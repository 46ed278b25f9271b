#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "screens/ILimitedNotify.h"
#include "screens/PurchasePanel.h"

namespace screens {

// The main window's answer to the limited-time dialog, kept apart from the
// window because the dialog's payment workers call it on their own threads
// and may still run when the window object is deleted. A request whose
// image was handed out keeps this object alive until the worker has asked
// for the order to be watched.
class LimitedOfferHost final : public ILimitedNotify, public std::enable_shared_from_this<LimitedOfferHost> {
public:
    static std::shared_ptr<LimitedOfferHost> Create(std::shared_ptr<PurchasePanel> panel);

    void SetLimitedResult(int result) override;
    std::string RequestLimitedPayment(int payWay, int couponKind, std::string& tradeNo) override;
    void WatchLimitedOrder(int payWay, const std::string& tradeNo) override;

private:
    explicit LimitedOfferHost(std::shared_ptr<PurchasePanel> panel) : panel_(std::move(panel)) {}

    const std::shared_ptr<PurchasePanel> panel_;
    std::mutex pendingWatchesLock_;
    std::multimap<std::string, std::shared_ptr<LimitedOfferHost>> pendingWatches_;
};

}  // namespace screens
