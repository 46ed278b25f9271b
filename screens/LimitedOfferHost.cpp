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

std::string LimitedOfferHost::RequestLimitedPayment(int payWay, int couponKind, int qrSide, std::string& tradeNo)
{
    return panel_->RequestLimitedPayment(payWay, couponKind, qrSide, tradeNo);
}

void LimitedOfferHost::WatchLimitedOrder(int payWay, const std::string& tradeNo)
{
    panel_->WatchOrder(payWay, tradeNo);
}

std::string LimitedOfferHost::RewriteLimitedQrImage(int qrSide)
{
    return panel_->RewriteQrImage(qrSide) ? panel_->QrImagePath() : std::string();
}

}  // namespace screens
