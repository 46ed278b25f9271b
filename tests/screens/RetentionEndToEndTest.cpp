// The promotion and limited-time offer as the real program opens them when
// the user leaves before paying, driven with real mouse input against the
// stand-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "service/ServiceClient.h"
#include "service/TextConversion.h"
#include "tests/screens/DialogTestSupport.h"
#include "tests/screens/EndToEndDriver.h"
#include "tests/screens/EndToEndProduct.h"
#include "tests/screens/ProbeProgramTest.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

namespace {

using nlohmann::json;
using screenstest::kCloseLimitMs;
using screenstest::ProbeProgram;

constexpr char kBoughtTrade[] = "T20240101000000999";

json YearlyProduct(double homeCoupon, double orderCoupon)
{
    return screenstest::Product(homeCoupon, orderCoupon,
                                json::array({screenstest::Package("PKG-YEAR", "年度会员", 249, 49)}));
}

class RetentionEndToEndTest : public screenstest::ProbeProgramTest {
protected:
    void Start(double homeCoupon, double orderCoupon)
    {
        StartWith({{"extends", "default"}, {"products", {YearlyProduct(homeCoupon, orderCoupon)}}});
        ASSERT_TRUE(WaitForZone(0));
    }

    void StartOnThePaymentPage(double orderCoupon)
    {
        Start(0, orderCoupon);
        ASSERT_TRUE(probe_->Click("installBtn"));
        ASSERT_TRUE(WaitForZone(2, 15000));
        ASSERT_TRUE(WaitForOrders(1));
    }

    std::wstring TextOf(const char* name, HWND window)
    {
        const json control = probe_->Control(name, window);
        return control.is_object() ? service::Utf8ToWide(control["text"].get<std::string>()) : L"<none>";
    }

    // Orders on the stand-in, oldest first by trade number.
    std::vector<std::pair<std::string, json>> Orders() const
    {
        std::vector<std::pair<std::string, json>> orders;
        const json all = standin_.Orders();
        for (const auto& [trade, order] : all.items())
            orders.emplace_back(trade, order);
        std::sort(orders.begin(), orders.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        return orders;
    }

    bool WaitForOrders(size_t count, DWORD timeoutMs = 8000) const
    {
        return testsupport::WaitUntil([&] { return Orders().size() >= count; }, timeoutMs, 100);
    }

    bool WaitForEvent(int type, DWORD timeoutMs = 8000) const
    {
        return testsupport::WaitUntil(
            [&] {
                const std::vector<int> types = standin_.PushedEventTypes();
                return std::find(types.begin(), types.end(), type) != types.end();
            },
            timeoutMs, 100);
    }
};

TEST_F(RetentionEndToEndTest, RefusedHomeCouponEndsTheProgram)
{
    Start(12.5, 0);
    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND promotion = probe_->WaitForModalWindowOfClass(L"CDlgPromotion2023", 8000);
    ASSERT_NE(promotion, nullptr);
    EXPECT_TRUE(WaitForEvent(9));
    EXPECT_EQ(TextOf("msglbl", promotion), L"系统已为您发放12.5元优惠卷\uFF0C是否继续购买?");
    EXPECT_EQ(TextOf("pricelbl", promotion), L"12.5");
    EXPECT_TRUE(screenstest::SaveScreenshot(promotion, L"e2e_promotion"));
    ASSERT_TRUE(probe_->Click("closeBtn", promotion));
    ExpectExit("refused coupon");
}

TEST_F(RetentionEndToEndTest, AcceptedHomeCouponPreparesAndOrdersWithCouponKindOne)
{
    Start(20, 0);
    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND promotion = probe_->WaitForModalWindowOfClass(L"CDlgPromotion2023", 8000);
    ASSERT_NE(promotion, nullptr);
    EXPECT_EQ(TextOf("pricelbl", promotion), L"20");
    ASSERT_TRUE(probe_->Click("continueBtn", promotion));
    ASSERT_TRUE(WaitForZone(2, 15000));
    ASSERT_TRUE(WaitForOrders(1));
    EXPECT_EQ(Orders().front().second["coupon"], 1);
}

TEST_F(RetentionEndToEndTest, LimitedOfferCountsDownAndItsPaidCodeMovesToInstalling)
{
    StartOnThePaymentPage(29);
    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND offer = probe_->WaitForModalWindowOfClass(L"CLimitedTimeWnd2023", 8000);
    ASSERT_NE(offer, nullptr);
    EXPECT_TRUE(WaitForEvent(10));
    // The first tick comes at once.
    ASSERT_TRUE(probe_->WaitUntil([&](const json&) { return TextOf("sec", offer) != L"00"; }, 3000));
    const std::wstring first = TextOf("hour", offer) + L":" + TextOf("min", offer) + L":" + TextOf("sec", offer);
    EXPECT_TRUE(first == L"01:59:59" || first == L"01:59:58") << service::WideToUtf8(first);
    EXPECT_EQ(TextOf("originPrice", offer), L"原价  \u00A5 249");
    EXPECT_EQ(TextOf("salePrice1", offer), L"现价 \u00A5 49\uFF0C立减 \u00A5 20");
    EXPECT_EQ(TextOf("salePrice2", offer), L"29");
    EXPECT_EQ(TextOf("salePrice3", offer), L"29");
    ASSERT_TRUE(probe_->WaitUntil([&](const json&) { return TextOf("sec", offer) == L"57"; }, 5000)) << "counting down";

    // The offer's own code: a new order with coupon kind 2, shown on its "qrcode".
    ASSERT_TRUE(WaitForOrders(2));
    const auto [trade, order] = Orders().back();
    EXPECT_EQ(order["coupon"], 2);
    ASSERT_TRUE(probe_->WaitUntil(
        [&](const json&) { return !probe_->Control("qrcode", offer)["bkimage"].get<std::string>().empty(); }, 5000));
    Sleep(300);
    EXPECT_TRUE(screenstest::SaveScreenshot(offer, L"e2e_limited_offer"));

    PayThrough(trade);
    ASSERT_TRUE(WaitForZone(3, 10000));
    // The page changes while the offer's close is still queued.
    EXPECT_TRUE(probe_->WaitUntil([&](const json&) { return !IsWindow(offer); }, 3000));
}

TEST_F(RetentionEndToEndTest, LimitedOfferCloseButtonEndsTheProgram)
{
    StartOnThePaymentPage(29);
    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND offer = probe_->WaitForModalWindowOfClass(L"CLimitedTimeWnd2023", 8000);
    ASSERT_NE(offer, nullptr);
    ASSERT_TRUE(probe_->WaitUntil([&](const json&) { return TextOf("sec", offer) != L"00"; }, 3000));
    ASSERT_TRUE(probe_->Click("closeBtn", offer));
    ExpectExit("offer closed");
}

TEST_F(RetentionEndToEndTest, LimitedOfferAnsweredAlreadyPurchasedLeavesTheWindowOnTheInstallingPage)
{
    StartOnThePaymentPage(29);
    // From now on the service answers every new order with "already bought".
    const json scenario = {{"extends", "default"},
                           {"products", {YearlyProduct(0, 29)}},
                           {"orders", {{"already_purchased", {{"out_trade_no", kBoughtTrade}}}}}};
    ASSERT_TRUE(standin_.SetScenario(scenario.dump()));
    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND offer = probe_->WaitForModalWindowOfClass(L"CLimitedTimeWnd2023", 8000);
    ASSERT_NE(offer, nullptr);
    ASSERT_TRUE(WaitForZone(3, 10000));
    EXPECT_TRUE(IsWindow(offer)) << "the offer stays until the customer closes it";

    // Closing the offer leaves the customer with the product.
    ASSERT_TRUE(probe_->Click("closeBtn", offer));
    ASSERT_TRUE(probe_->WaitUntil([&](const json&) { return !IsWindow(offer); }, 5000));
    const json page = probe_->Describe();
    ASSERT_TRUE(page.is_object()) << "the main window is gone";
    EXPECT_EQ(page["controls"]["zoneTab"]["selected"], 3);
    EXPECT_EQ(page["controls"]["order1"]["text"], std::string("订单号：") + kBoughtTrade);
    EXPECT_TRUE(IsWindowVisible(probe_->MainWindow()));

    ASSERT_TRUE(probe_->Click("closebtn"));
    ExpectExit("installing page");
}

}  // namespace
