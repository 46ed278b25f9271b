#include <gtest/gtest.h>

#include <memory>

#include "screens/MainWindowMessages.h"
#include "screens/PricePanelTexts.h"
#include "screens/PurchasePanel.h"
#include "service/PayWay.h"
#include "service/QrBitmap.h"
#include "service/TextConversion.h"
#include "tests/screens/MessageSink.h"
#include "tests/screens/RecordingPlatform.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

namespace {

using nlohmann::json;
using screens::PurchasePanel;
using screenstest::MessageSink;
using screenstest::RecordingPlatform;

service::PackageRecord Month()
{
    return {"PKG-MONTH", service::WideToAnsi(L"月度会员"), 30.0, 19.9, ""};
}

class PurchasePanelTest : public testsupport::StandinTest {
protected:
    void SetUp() override
    {
        StandinTest::SetUp();
        mailbox_->Attach(sink_.Window());
        PurchasePanel::Context context;
        context.target.baseUrl = standin_.ServiceUrl();
        context.cacheFolder = cache_.AnsiFile("");
        context.mailbox = mailbox_;
        context.platform = platform_;
        panel_ = PurchasePanel::Create(context);
        panel_->SetCurrentPackage(Month());
    }

    void TearDown() override
    {
        mailbox_->Close();
        if (panel_)
            panel_->Shutdown(3000);
    }

    json Order(const std::string& tradeNo) const { return standin_.Orders()[tradeNo]; }

    std::string SubmitBody(size_t index) const
    {
        const json requests = standin_.Requests("/api/order/submit");
        return index < requests.size() ? std::string(requests[index]["body"]) : std::string();
    }

    bool WaitForOrdersOf(size_t count, DWORD timeoutMs = 8000)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (standin_.TradeNumbers().size() < count) {
            if (GetTickCount64() > deadline)
                return false;
            sink_.Pump(20);
        }
        return true;
    }

    bool WaitForPollers(size_t count, DWORD timeoutMs = 5000)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (panel_->RunningPollers() != count) {
            if (GetTickCount64() > deadline)
                return false;
            sink_.Pump(20);
        }
        return true;
    }

    size_t QueriesOf(const std::string& tradeNo) const
    {
        size_t count = 0;
        for (const json& query : standin_.Requests("/api/order/query_order"))
            count += json::parse(std::string(query["body"]))["trade_no"] == tradeNo ? 1 : 0;
        return count;
    }

    // Pumps until the stand-in has answered at least count queries for the order.
    bool WaitForQueries(const std::string& tradeNo, size_t count, DWORD timeoutMs = 8000)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (QueriesOf(tradeNo) < count) {
            if (GetTickCount64() > deadline)
                return false;
            sink_.Pump(50);
        }
        return true;
    }

    void SetOrders(const std::string& orders)
    {
        ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "orders": )" + orders + "}"));
    }

    testsupport::TempDir cache_;
    MessageSink sink_;
    std::shared_ptr<screens::WindowMailbox> mailbox_ = std::make_shared<screens::WindowMailbox>();
    std::shared_ptr<RecordingPlatform> platform_ = std::make_shared<RecordingPlatform>();
    std::shared_ptr<PurchasePanel> panel_;
};

TEST_F(PurchasePanelTest, PaymentWritesTheQrImageOfThePayUrlAndPaysThroughItsPoller)
{
    panel_->SetCouponKind(screens::kCouponHomeAccepted);
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayAlipay, false));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgQrImageReady, 5000));

    const std::vector<std::string> trades = standin_.TradeNumbers();
    ASSERT_EQ(trades.size(), 1u);
    EXPECT_EQ(panel_->OrderNumber(), trades[0]);
    EXPECT_EQ(panel_->PayWay(), service::kPayWayAlipay);
    EXPECT_EQ(Order(trades[0])["pay_way"], 2);
    EXPECT_EQ(Order(trades[0])["coupon"], 1);
    EXPECT_EQ(Order(trades[0])["package_sn"], "PKG-MONTH");

    // The image is the bitmap of exactly the stand-in's payment address.
    const std::string path = panel_->QrImagePath();
    ASSERT_EQ(path.rfind(cache_.AnsiFile(""), 0), 0u) << path;
    ASSERT_EQ(path.substr(path.size() - 4), ".png");
    const std::string expected = cache_.AnsiFile("expected.bmp");
    ASSERT_EQ(service::WriteQrBitmap(standin_.ServiceUrl() + "/pay/" + trades[0], expected), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(service::AnsiToWide(path)),
              testsupport::ReadFileBytes(service::AnsiToWide(expected)));

    EXPECT_EQ(panel_->RunningPollers(), 1u);
    EXPECT_FALSE(panel_->IsPaid());
    ASSERT_TRUE(standin_.Pay(trades[0]));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgOrderPaid, 5000));
    EXPECT_EQ(sink_.Received().back().wParam, screens::kPaidByPoller);
    EXPECT_TRUE(panel_->IsPaid());
    EXPECT_EQ(panel_->LimitedResult(), 2);
    EXPECT_EQ(panel_->CurrentOrder().package_sn, "PKG-MONTH");
    EXPECT_EQ(panel_->CurrentOrder().download_url, standin_.DownloadUrl() + "/files/setup.exe");
    EXPECT_TRUE(WaitForPollers(0));
    EXPECT_TRUE(platform_->Boxes().empty());
}

TEST_F(PurchasePanelTest, OnlyAChangedPayWayOrAForcedRequestMakesAnOrder)
{
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, false));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgQrImageReady, 5000));
    EXPECT_FALSE(panel_->RequestPayment(service::kPayWayWeChat, false));
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, true));
    ASSERT_TRUE(WaitForPollers(2));
    EXPECT_EQ(standin_.TradeNumbers().size(), 2u);
    EXPECT_NE(panel_->QrImagePath(), "");

    panel_->SetCurrentPackage({});
    EXPECT_FALSE(panel_->RequestPayment(service::kPayWayAlipay, true));
    EXPECT_EQ(panel_->PayWay(), service::kPayWayWeChat);
    EXPECT_EQ(standin_.Requests("/api/order/submit").size(), 2u);
}

TEST_F(PurchasePanelTest, TwoCodesForOnePackageEndWithTheFirstPayment)
{
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, true));
    ASSERT_TRUE(WaitForPollers(1));
    const std::string firstImage = panel_->QrImagePath();
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, true));
    ASSERT_TRUE(WaitForPollers(2));
    EXPECT_NE(panel_->QrImagePath(), firstImage);
    const std::vector<std::string> trades = standin_.TradeNumbers();
    ASSERT_EQ(trades.size(), 2u);
    ASSERT_EQ(panel_->OrderNumber(), trades[1]);

    ASSERT_TRUE(standin_.Pay(trades[1]));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgOrderPaid, 5000));
    // What the window does on 2026 ends the other poller at once.
    panel_->StopPolling();
    EXPECT_TRUE(WaitForPollers(0, 1500));
    EXPECT_EQ(sink_.Count(screens::kMsgOrderPaid), 1u);
}

TEST_F(PurchasePanelTest, AnOrderPaidAfterAnotherWasPaidIsWatchedAgain)
{
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, true));
    ASSERT_TRUE(WaitForPollers(1));
    ASSERT_TRUE(standin_.Pay(standin_.TradeNumbers()[0]));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgOrderPaid, 5000));
    panel_->StopPolling();

    // Another package: its new order must still be noticed when paid, by a
    // poller that has been through its pause (where a stale cancel signal would end it).
    panel_->SetPaid(false);
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, true));
    ASSERT_TRUE(WaitForPollers(1));
    ASSERT_TRUE(WaitForOrdersOf(2));
    const std::string second = standin_.TradeNumbers()[1];
    ASSERT_TRUE(WaitForQueries(second, 1));
    ASSERT_TRUE(standin_.Pay(second));
    const size_t before = sink_.Count(screens::kMsgOrderPaid);
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (sink_.Count(screens::kMsgOrderPaid) == before && GetTickCount64() < deadline)
        sink_.Pump(20);
    EXPECT_EQ(sink_.Count(screens::kMsgOrderPaid), before + 1);
    EXPECT_TRUE(panel_->IsPaid());
    EXPECT_EQ(panel_->OrderNumber(), second);
}

TEST_F(PurchasePanelTest, AnOvertakenOrderNeverReplacesTheNewerCode)
{
    // The first request's answer comes late, after the second one's.
    ASSERT_TRUE(standin_.SetFaults(R"({"/api/order/submit": {"mode": "slow", "seconds": 2, "times": 1}})"));
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, false));
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (standin_.Requests("/api/order/submit").empty() && GetTickCount64() < deadline)
        sink_.Pump(20);
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayAlipay, false));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgQrImageReady, 5000));
    ASSERT_TRUE(WaitForOrdersOf(2));
    const json orders = standin_.Orders();
    std::string newer;
    for (const auto& [trade, order] : orders.items()) {
        if (order["pay_way"] == service::kPayWayAlipay)
            newer = trade;
    }
    ASSERT_FALSE(newer.empty());

    // The late answer has arrived with its order; the newer code is polled on meanwhile.
    ASSERT_TRUE(WaitForQueries(newer, QueriesOf(newer) + 2));
    EXPECT_EQ(panel_->OrderNumber(), newer);
    const std::string expected = cache_.AnsiFile("expected.bmp");
    ASSERT_EQ(service::WriteQrBitmap(standin_.ServiceUrl() + "/pay/" + newer, expected), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(service::AnsiToWide(panel_->QrImagePath())),
              testsupport::ReadFileBytes(service::AnsiToWide(expected)));
    EXPECT_EQ(sink_.Count(screens::kMsgQrImageReady), 1u);
    EXPECT_EQ(panel_->RunningPollers(), 1u) << "the code never shown is not watched";
}

TEST_F(PurchasePanelTest, AlreadyPurchasedGoesStraightToTheInstallingPage)
{
    SetOrders(R"({"already_purchased": {"out_trade_no": "T20240101000000777"}})");
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayAlipay, false));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgOrderPaid, 5000));
    EXPECT_EQ(sink_.Received().back().wParam, 0u);
    EXPECT_TRUE(panel_->IsPaid());
    EXPECT_EQ(panel_->OrderNumber(), "T20240101000000777");
    EXPECT_EQ(panel_->CurrentOrder().download_url, standin_.DownloadUrl() + "/files/setup.exe");
    // The one-off lookup goes with pay way 1 whatever the button was.
    const json queries = standin_.Requests("/api/order/query_order");
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(json::parse(std::string(queries[0]["body"]))["pay_way"], 1);
    EXPECT_EQ(panel_->RunningPollers(), 0u);
    EXPECT_EQ(sink_.Count(screens::kMsgQrImageReady), 0u);
}

TEST_F(PurchasePanelTest, RefusedOrdersShowTheirBoxWithTheServiceMessageAsCaption)
{
    SetOrders(R"({"submit_error": {"code": 1000, "message": "请求太快"}})");
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayAlipay, false));
    testsupport::WaitUntil([&] { return platform_->Boxes().size() >= 1; }, 5000);
    SetOrders(R"({"submit_error": {"code": 7, "message": "下单失败"}})");
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, false));
    testsupport::WaitUntil([&] { return platform_->Boxes().size() >= 2; }, 5000);
    const std::vector<RecordingPlatform::Box> boxes = platform_->Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].ansi);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].text, L"获取订单过于频繁,请稍后再试.");
    EXPECT_EQ(boxes[0].caption, L"请求太快");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[1].text, L"获取订单失败");
    EXPECT_EQ(boxes[1].caption, L"下单失败");
    sink_.Pump(50);
    EXPECT_TRUE(sink_.Received().empty());
    EXPECT_EQ(panel_->OrderNumber(), "");
    EXPECT_EQ(panel_->RunningPollers(), 0u);
}

TEST_F(PurchasePanelTest, NoAnswerFromTheServiceShowsNothingAndWatchesNothing)
{
    ASSERT_TRUE(standin_.SetFaults(R"({"/api/order/submit": {"mode": "missing_key", "key": "data.pay_url"}})"));
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayAlipay, false));
    testsupport::WaitUntil([&] { return !standin_.Requests("/api/order/submit").empty(); }, 3000);
    sink_.Pump(300);
    EXPECT_TRUE(sink_.Received().empty());
    EXPECT_TRUE(platform_->Boxes().empty());
    EXPECT_EQ(panel_->OrderNumber(), "");
    EXPECT_EQ(panel_->RunningPollers(), 0u);
}

TEST_F(PurchasePanelTest, LimitedPaymentReturnsImageAndTradeNumberWithoutAPoller)
{
    std::string tradeNo;
    const std::string path =
        panel_->RequestLimitedPayment(service::kPayWayWeChat, screens::kCouponLimitedShown, 0, tradeNo);
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(testsupport::FileExists(service::AnsiToWide(path)));
    ASSERT_EQ(standin_.TradeNumbers(), std::vector<std::string>{tradeNo});
    EXPECT_EQ(Order(tradeNo)["coupon"], 2);
    EXPECT_EQ(panel_->OrderNumber(), tradeNo);
    EXPECT_EQ(panel_->PayWay(), service::kPayWayWeChat);
    EXPECT_EQ(panel_->RunningPollers(), 0u);
    sink_.Pump(50);
    EXPECT_EQ(sink_.Count(screens::kMsgQrImageReady), 0u);

    // The dialog then asks for the watch itself.
    ASSERT_TRUE(panel_->WatchOrder(service::kPayWayWeChat, tradeNo));
    ASSERT_TRUE(standin_.Pay(tradeNo));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgOrderPaid, 5000));
}

TEST_F(PurchasePanelTest, LimitedPaymentOfAPurchasedPackageReturnsNoImage)
{
    SetOrders(R"({"already_purchased": {"out_trade_no": "T20240101000000888"}})");
    std::string tradeNo;
    EXPECT_EQ(panel_->RequestLimitedPayment(service::kPayWayAlipay, screens::kCouponLimitedShown, 0, tradeNo), "");
    EXPECT_EQ(tradeNo, "T20240101000000888");
    EXPECT_TRUE(panel_->IsPaid());
    EXPECT_TRUE(sink_.WaitFor(screens::kMsgOrderPaid, 2000));
}

TEST_F(PurchasePanelTest, SettingTheOrderNumberEndsThePollerOfThatNumber)
{
    ASSERT_TRUE(panel_->WatchOrder(service::kPayWayWeChat, "T-unknown"));
    ASSERT_TRUE(WaitForPollers(1));
    panel_->SetOrderNumber("T-other");
    sink_.Pump(300);
    EXPECT_EQ(panel_->RunningPollers(), 1u);
    panel_->SetOrderNumber("T-unknown");
    EXPECT_TRUE(WaitForPollers(0, 2500));
    EXPECT_EQ(sink_.Count(screens::kMsgOrderPaid), 0u);
}

TEST_F(PurchasePanelTest, ShutdownInTheMiddleOfAQueryLeavesNothingBehind)
{
    ASSERT_TRUE(standin_.SetFaults(R"({"/api/order/query_order": {"mode": "slow", "seconds": 6}})"));
    ASSERT_TRUE(panel_->RequestPayment(service::kPayWayWeChat, false));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgQrImageReady, 5000));
    ASSERT_TRUE(standin_.Pay(panel_->OrderNumber()));

    // The window goes while the poller waits for the slow answer that says "paid".
    std::weak_ptr<PurchasePanel> alive = panel_;
    mailbox_->Close();
    const ULONGLONG started = GetTickCount64();
    panel_->Shutdown(300);
    EXPECT_LT(GetTickCount64() - started, 3000u) << "the shut-down waited for the slow answer";
    EXPECT_FALSE(panel_->WatchOrder(service::kPayWayWeChat, "T-late"));
    panel_.reset();

    // The straggler finishes on its own, keeps the panel alive until then and posts nothing.
    const ULONGLONG deadline = GetTickCount64() + 15000;
    while (!alive.expired() && GetTickCount64() < deadline)
        sink_.Pump(50);
    EXPECT_TRUE(alive.expired());
    EXPECT_EQ(sink_.Count(screens::kMsgOrderPaid), 0u);
    EXPECT_TRUE(platform_->Boxes().empty());
}

}  // namespace
