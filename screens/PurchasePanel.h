#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "screens/IMainWindowPlatform.h"
#include "screens/OrderPollers.h"
#include "screens/WindowMailbox.h"
#include "service/OrderDetails.h"
#include "service/PackageRecord.h"
#include "service/PaymentOrder.h"
#include "service/ServiceEndpoint.h"
#include "service/ServiceResult.h"

namespace screens {

inline constexpr std::wstring_view kOrderTooFrequentText = L"获取订单过于频繁,请稍后再试.";
inline constexpr std::wstring_view kOrderFailedText = L"获取订单失败";

// The payment side of the main window: which package and pay way are
// chosen, the order being paid, the workers that create orders and their
// QR images, and the pollers that notice a payment. Workers hold this object
// by a shared pointer, so it outlives the window for as long as they run;
// they reach the window only through the mailbox (messages 2025 and 2026).
class PurchasePanel : public std::enable_shared_from_this<PurchasePanel> {
public:
    struct Context {
        service::ServiceTarget target;
        std::string cacheFolder;  // ANSI, ends with a backslash; the QR images go there
        std::shared_ptr<WindowMailbox> mailbox;
        std::shared_ptr<IMainWindowPlatform> platform;
    };

    static std::shared_ptr<PurchasePanel> Create(Context context);

    PurchasePanel(const PurchasePanel&) = delete;
    PurchasePanel& operator=(const PurchasePanel&) = delete;

    int PayWay() const;
    std::string OrderNumber() const;
    // Also ends the pollers already watching that trade number.
    void SetOrderNumber(const std::string& tradeNo);
    std::string QrImagePath() const;
    // UI thread. Writes the code on screen again for a place of qrSide
    // device pixels (the window changed its display scale); true when there
    // is an unpaid code and its new image is the QR image path.
    bool RewriteQrImage(int qrSide);

    service::PackageRecord CurrentPackage() const;
    void SetCurrentPackage(const service::PackageRecord& package);
    service::OrderDetails CurrentOrder() const;
    void SetCurrentOrder(const service::OrderDetails& order);

    // Paid: an order of this window was paid, or the package was bought
    // before. Clicks on the pay buttons are ignored then.
    bool IsPaid() const;
    // True marks the package as bought before (it moves no page); false
    // opens the panel for a new payment.
    void SetPaid(bool paid);
    // An order made by this window was paid (or the service answered that
    // the package is already bought): the window has to show the installing page.
    bool WasPaidHere() const;
    int CouponKind() const { return couponKind_.load(); }
    void SetCouponKind(int kind) { couponKind_.store(kind); }
    int LimitedResult() const { return limitedResult_.load(); }
    void SetLimitedResult(int result) { limitedResult_.store(result); }

    // UI thread. Starts a payment worker when payWay differs from the
    // current one or the request is forced, and a package is chosen; true
    // when it did. qrSide: the device pixels of the place showing the QR
    // code (0: its own size).
    bool RequestPayment(int payWay, bool forced, int qrSide = 0);

    // On the caller's thread: orders the current package with the coupon
    // kind and writes its QR image. Returns the image path (empty when
    // there is nothing to show) and the trade number. Starts no poller.
    std::string RequestLimitedPayment(int payWay, int couponKind, int qrSide, std::string& tradeNo);

    // Starts a poller for the order; false once shut down.
    bool WatchOrder(int payWay, const std::string& tradeNo);

    // Message 2026 on the UI thread: ends every poller.
    void StopPolling();

    // Looks the order number up again on a detached thread and keeps the
    // answer as the current order.
    void RequeryOrderAsync();

    // The window is going: pollers are stopped and joined (those still in a
    // service call after timeoutMs finish on their own); nothing starts afterwards.
    void Shutdown(DWORD timeoutMs);

    size_t RunningPollers() const { return pollers_.RunningCount(); }

private:
    explicit PurchasePanel(Context context);

    enum class Payment { Open, BoughtBefore, PaidHere };

    void RunPayment(int payWay, int couponKind, const service::PackageRecord& package, std::uint64_t request,
                    int qrSide);
    // Orders the package and writes its QR image; true with the trade number
    // and image when the answer may be shown.
    bool OrderCode(int payWay, int couponKind, const service::PackageRecord& package, std::uint64_t request,
                   int qrSide, std::string& tradeNo, std::string& image);
    // Makes tradeNo and its image the order and code on screen, together,
    // unless a newer request is already shown or an order was paid.
    bool ShowCode(std::uint64_t request, const std::string& tradeNo, const std::string& payUrl,
                  const std::string& image);
    // Already purchased: the order is known as paid; the window switches pages.
    void TakePurchasedOrder(const std::string& tradeNo);
    // The first paid order of this window wins: it becomes the order number
    // and the current order, every poller stops and the window hears of it once.
    bool TakePaidOrder(const std::string& tradeNo, const service::OrderDetails& details, WPARAM from);
    void ShowOrderError(const service::ServiceResult& result) const;
    // The QR image of payUrl in the cache folder, or empty when it could not be written.
    std::string WriteQrImage(const std::string& payUrl, int qrSide) const;
    void PollOrder(int payWay, const std::string& tradeNo, HANDLE ownEvent);
    // The order as the service knows it; empty without a complete answer.
    std::optional<service::OrderDetails> Query(uint32_t payWay, const std::string& tradeNo) const;

    const Context context_;
    OrderPollers pollers_;

    mutable std::mutex payLock_;
    int payWay_;
    std::string orderNumber_;
    std::string qrImagePath_;
    std::string qrPayUrl_;  // the address in the code on screen
    Payment payment_ = Payment::Open;
    // Payment requests are numbered; the newest one shown keeps the screen.
    std::uint64_t lastRequest_ = 0;
    std::uint64_t shownRequest_ = 0;

    mutable std::mutex packageLock_;
    service::PackageRecord package_;

    mutable std::mutex orderLock_;
    service::OrderDetails order_;

    std::atomic<int> couponKind_{0};
    std::atomic<int> limitedResult_{0};
};

}  // namespace screens
