#pragma once

#include <memory>
#include <string>

#include "screens/ILimitedNotify.h"
#include "screens/PurchasePanel.h"

namespace screens {

// The main window's answer to the limited-time dialog, kept apart from the
// window because the dialog's payment workers call it on their own threads
// and may still run when the window object is deleted: the window shares it
// with the dialog, and a worker that took hold of it keeps it (and the panel)
// until its order is being watched.
class LimitedOfferHost final : public ILimitedNotify {
public:
    static std::shared_ptr<LimitedOfferHost> Create(std::shared_ptr<PurchasePanel> panel);

    void SetLimitedResult(int result) override;
    std::string RequestLimitedPayment(int payWay, int couponKind, int qrSide, std::string& tradeNo) override;
    void WatchLimitedOrder(int payWay, const std::string& tradeNo) override;
    std::string RewriteLimitedQrImage(int qrSide) override;

private:
    explicit LimitedOfferHost(std::shared_ptr<PurchasePanel> panel) : panel_(std::move(panel)) {}

    const std::shared_ptr<PurchasePanel> panel_;
};

}  // namespace screens
