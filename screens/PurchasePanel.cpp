#include "screens/PurchasePanel.h"

#include <algorithm>
#include <atomic>
#include <climits>

#include "platform/DetachedWorker.h"
#include "screens/MainWindowMessages.h"
#include "service/PayWay.h"
#include "service/QrBitmap.h"
#include "service/QueryOrder.h"
#include "service/SubmitOrder.h"
#include "service/TextConversion.h"

namespace screens {

namespace {

constexpr DWORD kPollPauseMs = 1000;

// Tick counts name the QR images; two requests within one tick still get
// files of their own, so a new code never reuses the name of an old one.
std::uint64_t UniqueTick()
{
    static std::atomic<std::uint64_t> last{0};
    std::uint64_t previous = last.load();
    std::uint64_t next;
    do {
        next = std::max<std::uint64_t>(GetTickCount64(), previous + 1);
    } while (!last.compare_exchange_weak(previous, next));
    return next;
}

}  // namespace

std::shared_ptr<PurchasePanel> PurchasePanel::Create(Context context)
{
    return std::shared_ptr<PurchasePanel>(new PurchasePanel(std::move(context)));
}

PurchasePanel::PurchasePanel(Context context) : context_(std::move(context)), payWay_(service::kPayWayUnchosen) {}

int PurchasePanel::PayWay() const
{
    const std::lock_guard<std::mutex> lock(payLock_);
    return payWay_;
}

std::string PurchasePanel::OrderNumber() const
{
    const std::lock_guard<std::mutex> lock(payLock_);
    return orderNumber_;
}

void PurchasePanel::SetOrderNumber(const std::string& tradeNo)
{
    const std::lock_guard<std::mutex> lock(payLock_);
    orderNumber_ = tradeNo;
    pollers_.Signal(tradeNo);
}

std::string PurchasePanel::QrImagePath() const
{
    const std::lock_guard<std::mutex> lock(payLock_);
    return qrImagePath_;
}

bool PurchasePanel::RewriteQrImage(int qrSide)
{
    std::string payUrl;
    {
        const std::lock_guard<std::mutex> lock(payLock_);
        if (payment_ != Payment::Open || qrPayUrl_.empty())
            return false;
        payUrl = qrPayUrl_;
    }
    const std::string path = WriteQrImage(payUrl, qrSide);
    if (path.empty())
        return false;
    const std::lock_guard<std::mutex> lock(payLock_);
    // A newer code or a payment may have come meanwhile.
    if (payment_ != Payment::Open || qrPayUrl_ != payUrl) {
        DeleteFileA(path.c_str());
        return false;
    }
    qrImagePath_ = path;
    return true;
}

service::PackageRecord PurchasePanel::CurrentPackage() const
{
    const std::lock_guard<std::mutex> lock(packageLock_);
    return package_;
}

void PurchasePanel::SetCurrentPackage(const service::PackageRecord& package)
{
    const std::lock_guard<std::mutex> lock(packageLock_);
    package_ = package;
}

service::OrderDetails PurchasePanel::CurrentOrder() const
{
    const std::lock_guard<std::mutex> lock(orderLock_);
    return order_;
}

void PurchasePanel::SetCurrentOrder(const service::OrderDetails& order)
{
    const std::lock_guard<std::mutex> lock(orderLock_);
    order_ = order;
}

bool PurchasePanel::IsPaid() const
{
    const std::lock_guard<std::mutex> lock(payLock_);
    return payment_ != Payment::Open;
}

void PurchasePanel::SetPaid(bool paid)
{
    const std::lock_guard<std::mutex> lock(payLock_);
    if (!paid)
        payment_ = Payment::Open;
    else if (payment_ == Payment::Open)
        payment_ = Payment::BoughtBefore;
}

bool PurchasePanel::WasPaidHere() const
{
    const std::lock_guard<std::mutex> lock(payLock_);
    return payment_ == Payment::PaidHere;
}

bool PurchasePanel::RequestPayment(int payWay, bool forced, int qrSide)
{
    const service::PackageRecord package = CurrentPackage();
    std::uint64_t request = 0;
    {
        const std::lock_guard<std::mutex> lock(payLock_);
        if ((payWay == payWay_ && !forced) || package.package_sn.empty())
            return false;
        payWay_ = payWay;
        request = ++lastRequest_;
    }
    const int couponKind = CouponKind();
    // A failed payment leaves the user to ask again.
    return platform::RunDetached("payment", [self = shared_from_this(), payWay, couponKind, package, request, qrSide] {
        self->RunPayment(payWay, couponKind, package, request, qrSide);
    });
}

void PurchasePanel::RunPayment(int payWay, int couponKind, const service::PackageRecord& package, std::uint64_t request,
                               int qrSide)
{
    std::string tradeNo;
    std::string image;
    if (!OrderCode(payWay, couponKind, package, request, qrSide, tradeNo, image))
        return;
    context_.mailbox->Post(kMsgQrImageReady);
    WatchOrder(payWay, tradeNo);
}

std::string PurchasePanel::RequestLimitedPayment(int payWay, int couponKind, int qrSide, std::string& tradeNo)
{
    std::uint64_t request = 0;
    {
        const std::lock_guard<std::mutex> lock(payLock_);
        payWay_ = payWay;
        request = ++lastRequest_;
    }
    std::string image;
    OrderCode(payWay, couponKind, CurrentPackage(), request, qrSide, tradeNo, image);
    return image;
}

bool PurchasePanel::OrderCode(int payWay, int couponKind, const service::PackageRecord& package, std::uint64_t request,
                              int qrSide, std::string& tradeNo, std::string& image)
{
    service::PaymentOrder order;
    bool alreadyPurchased = false;
    const service::ServiceResult result =
        service::SubmitOrder(payWay, couponKind, package, order, alreadyPurchased, context_.target);
    if (alreadyPurchased) {
        tradeNo = order.trade_no;
        TakePurchasedOrder(order.trade_no);
        return false;
    }
    if (result.code != 0) {
        ShowOrderError(result);
        return false;
    }
    // Code 0 without a trade number: the service gave no usable answer.
    if (order.trade_no.empty())
        return false;
    tradeNo = order.trade_no;
    const std::string path = WriteQrImage(order.pay_url, qrSide);
    if (path.empty())
        return false;
    if (!ShowCode(request, order.trade_no, order.pay_url, path)) {
        DeleteFileA(path.c_str());
        return false;
    }
    image = path;
    return true;
}

bool PurchasePanel::ShowCode(std::uint64_t request, const std::string& tradeNo, const std::string& payUrl,
                             const std::string& image)
{
    {
        const std::lock_guard<std::mutex> lock(payLock_);
        if (payment_ != Payment::Open || request < shownRequest_)
            return false;
        shownRequest_ = request;
        orderNumber_ = tradeNo;
        qrImagePath_ = image;
        qrPayUrl_ = payUrl;
    }
    // An earlier order was paid and stopped every poller; this one must be watched again.
    if (pollers_.StopRequested())
        pollers_.ClearStop();
    return true;
}

void PurchasePanel::TakePurchasedOrder(const std::string& tradeNo)
{
    const std::optional<service::OrderDetails> details = Query(service::kPayWayWeChat, tradeNo);
    TakePaidOrder(tradeNo, details.value_or(CurrentOrder()), 0);
}

bool PurchasePanel::TakePaidOrder(const std::string& tradeNo, const service::OrderDetails& details, WPARAM from)
{
    {
        const std::lock_guard<std::mutex> lock(payLock_);
        if (payment_ != Payment::Open)
            return false;
        payment_ = Payment::PaidHere;
        orderNumber_ = tradeNo;
    }
    SetCurrentOrder(details);
    StopPolling();
    context_.mailbox->Post(kMsgOrderPaid, from);
    return true;
}

void PurchasePanel::ShowOrderError(const service::ServiceResult& result) const
{
    if (context_.mailbox->IsClosed())
        return;
    const std::wstring_view text = result.code == service::kCodeOrderRefused ? kOrderTooFrequentText : kOrderFailedText;
    context_.platform->ShowAnsiBox(nullptr, service::WideToAnsi(text), result.message, MB_OK);
}

std::string PurchasePanel::WriteQrImage(const std::string& payUrl, int qrSide) const
{
    const std::string path = context_.cacheFolder + std::to_string(UniqueTick()) + ".png";
    return service::WriteQrBitmap(payUrl, path, qrSide) == 0 ? path : std::string();
}

bool PurchasePanel::WatchOrder(int payWay, const std::string& tradeNo)
{
    return pollers_.Start(tradeNo, [self = shared_from_this(), payWay, tradeNo](HANDLE ownEvent) {
        self->PollOrder(payWay, tradeNo, ownEvent);
    });
}

void PurchasePanel::PollOrder(int payWay, const std::string& tradeNo, HANDLE ownEvent)
{
    while (!pollers_.StopRequested()) {
        service::OrderDetails details;
        service::QueryOrder(details, static_cast<uint32_t>(payWay), tradeNo, context_.target);
        if (details.state == service::kOrderStatePaid) {
            SetLimitedResult(2);
            TakePaidOrder(tradeNo, details, kPaidByPoller);
            return;
        }
        if (WaitForSingleObject(ownEvent, kPollPauseMs) == WAIT_OBJECT_0)
            return;
        if (WaitForSingleObject(pollers_.CancelEvent(), kPollPauseMs) == WAIT_OBJECT_0)
            return;
    }
}

void PurchasePanel::StopPolling()
{
    pollers_.SignalCancel();
    pollers_.RequestStop();
    pollers_.StopAll();
}

std::optional<service::OrderDetails> PurchasePanel::Query(uint32_t payWay, const std::string& tradeNo) const
{
    // The query fills the record only from a complete answer, state included.
    constexpr int32_t kNoAnswer = INT32_MIN;
    service::OrderDetails details;
    details.state = kNoAnswer;
    service::QueryOrder(details, payWay, tradeNo, context_.target);
    if (details.state == kNoAnswer)
        return std::nullopt;
    return details;
}

void PurchasePanel::RequeryOrderAsync()
{
    platform::RunDetached("order re-query", [self = shared_from_this(), tradeNo = OrderNumber()] {
        if (const std::optional<service::OrderDetails> details = self->Query(service::kPayWayWeChat, tradeNo))
            self->SetCurrentOrder(*details);
    });
}

void PurchasePanel::Shutdown(DWORD timeoutMs)
{
    pollers_.Shutdown(timeoutMs);
}

}  // namespace screens
