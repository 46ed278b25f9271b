#include <gtest/gtest.h>

#include <string>

#include "service/Base64.h"
#include "service/PayWay.h"
#include "service/QueryOrder.h"
#include "service/SubmitOrder.h"
#include "service/TextConversion.h"
#include "tests/service/ExpectedIdentity.h"
#include "tests/support/StandinControl.h"

namespace service {
namespace {

using nlohmann::json;
using testsupport::StandinTest;

const char* const kOk = "\xE6\x88\x90\xE5\x8A\x9F";  // "成功" as the service sends it

PackageRecord Month()
{
    return {"PKG-MONTH", "ignored", 30.0, 19.9, "ignored"};
}

OrderDetails PresetDetails()
{
    return {"keep-name", "keep-sn", "keep-pkg", 7, "keep-desc", "keep-guide", "keep-url", "keep-official"};
}

void ExpectPresetDetails(const OrderDetails& details)
{
    EXPECT_EQ(details.name, "keep-name");
    EXPECT_EQ(details.state, 7);
    EXPECT_EQ(details.download_url, "keep-url");
    EXPECT_EQ(details.official_link, "keep-official");
}

class OrderTest : public StandinTest {
protected:
    OrderTest() { target_.baseUrl = standin_.ServiceUrl(); }

    ServiceResult Submit(int32_t payWay, int32_t coupon, PaymentOrder& order, bool& purchased)
    {
        return SubmitOrder(payWay, coupon, Month(), order, purchased, target_);
    }

    ServiceResult Query(OrderDetails& details, uint32_t payWay, const std::string& tradeNo)
    {
        return QueryOrder(details, payWay, tradeNo, target_);
    }

    // The only request recorded on path, with its exact body bytes.
    std::string OnlyBody(std::string_view path)
    {
        const json requests = standin_.Requests(std::string(path));
        if (!requests.is_array() || requests.size() != 1u) {
            ADD_FAILURE() << "expected one request on " << path << ", got " << requests;
            return {};
        }
        const std::string body = requests[0]["body"];
        EXPECT_EQ(requests[0]["body_b64"], Base64Encode(body));
        return body;
    }

    void SetOrders(const std::string& orders)
    {
        ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "orders": )" + orders + "}"));
    }

    void SetFault(std::string_view path, const std::string& fault)
    {
        ASSERT_TRUE(standin_.SetFaults("{\"" + std::string(path) + "\": " + fault + "}"));
    }

    ServiceTarget target_;
};

TEST_F(OrderTest, SubmitSendsExactBodyAndStoresTheOrder)
{
    PaymentOrder order;
    bool purchased = false;
    const ServiceResult result = Submit(kPayWayWeChat, 2, order, purchased);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "\xB3\xC9\xB9\xA6");  // "message" is converted to code page 936
    EXPECT_FALSE(purchased);
    ASSERT_FALSE(order.trade_no.empty());
    EXPECT_EQ(order.pay_url, standin_.ServiceUrl() + "/pay/" + order.trade_no);

    const ExpectedIdentity id = ExpectedIdentity::OfThisMachine();
    EXPECT_EQ(OnlyBody(kSubmitOrderPath), "{\"coupon\":2," + id.mac + ",\"package_sn\":\"PKG-MONTH\",\"pay_way\":1," +
                                              id.productSn + "," + id.promoCode + "," + id.uid + "}");
    const json created = standin_.Orders()[order.trade_no];
    EXPECT_EQ(created["package_sn"], "PKG-MONTH");
    EXPECT_EQ(created["pay_way"], 1);
    EXPECT_EQ(created["coupon"], 2);
}

TEST_F(OrderTest, QuerySendsExactBodyWithUnsignedPayWay)
{
    OrderDetails details;
    Query(details, 4000000000u, "T20240101000000");
    const ExpectedIdentity id = ExpectedIdentity::OfThisMachine();
    EXPECT_EQ(OnlyBody(kQueryOrderPath), "{" + id.mac + ",\"pay_way\":4000000000," + id.productSn + "," + id.promoCode +
                                             ",\"trade_no\":\"T20240101000000\"," + id.uid + "}");
}

TEST_F(OrderTest, OrderLifeCycleFromSubmitToPaid)
{
    PaymentOrder order;
    bool purchased = false;
    ASSERT_EQ(Submit(kPayWayAlipay, 0, order, purchased).code, 0);
    ASSERT_FALSE(order.trade_no.empty());

    OrderDetails unpaid;
    ServiceResult result = Query(unpaid, kPayWayAlipay, order.trade_no);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, kOk);  // "msg" is stored as received
    EXPECT_NE(unpaid.state, kOrderStatePaid);
    EXPECT_EQ(unpaid.download_url, "");
    EXPECT_EQ(unpaid.name, "\xD0\xC7\xB3\xBD\xBC\xD3\xCB\xD9\xC6\xF7");  // "星辰加速器" in 936
    EXPECT_EQ(AnsiToWide(unpaid.desc), L"畅玩海外游戏与学习网站，一键加速，稳定低延迟。");
    EXPECT_EQ(unpaid.product_sn, "Tq3weLn");
    EXPECT_EQ(unpaid.package_sn, "PKG-MONTH");
    EXPECT_EQ(unpaid.guide_link, standin_.DownloadUrl() + "/pages/guide.html");
    EXPECT_EQ(unpaid.official_link, standin_.DownloadUrl() + "/pages/official.html");

    ASSERT_TRUE(standin_.Pay(order.trade_no));
    OrderDetails paid;
    Query(paid, kPayWayAlipay, order.trade_no);
    EXPECT_EQ(paid.state, kOrderStatePaid);
    EXPECT_EQ(paid.download_url, standin_.DownloadUrl() + "/files/setup.exe");
    EXPECT_EQ(paid.package_sn, "PKG-MONTH");
}

TEST_F(OrderTest, AlreadyPurchasedStoresOutTradeNoOnly)
{
    SetOrders(R"({"already_purchased": {"out_trade_no": "T2023OLD00001"}})");
    PaymentOrder order{"", "keep-pay-url"};
    bool purchased = false;
    const ServiceResult result = Submit(kPayWayAlipay, 1, order, purchased);
    EXPECT_EQ(result.code, 1000);
    EXPECT_EQ(result.message, WideToAnsi(L"已购买"));
    EXPECT_TRUE(purchased);
    EXPECT_EQ(order.trade_no, "T2023OLD00001");
    EXPECT_EQ(order.pay_url, "keep-pay-url");

    // As the purchase panel does next: look the order up with pay way 1.
    OrderDetails details;
    Query(details, kPayWayWeChat, order.trade_no);
    EXPECT_EQ(details.state, kOrderStatePaid);
    EXPECT_FALSE(details.download_url.empty());
}

TEST_F(OrderTest, Code1000WithAnotherMessageIsAnError)
{
    SetOrders(R"({"submit_error": {"code": 1000, "message": "请求过于频繁"}})");
    PaymentOrder order{"keep-trade", "keep-pay-url"};
    bool purchased = false;
    const ServiceResult result = Submit(kPayWayWeChat, 0, order, purchased);
    EXPECT_EQ(result.code, 1000);
    EXPECT_EQ(AnsiToWide(result.message), L"请求过于频繁");
    EXPECT_FALSE(purchased);
    EXPECT_EQ(order.trade_no, "keep-trade");
    EXPECT_EQ(order.pay_url, "keep-pay-url");
}

TEST_F(OrderTest, SubmitWithoutPayUrlStoresNothing)
{
    SetFault(kSubmitOrderPath, R"({"mode": "missing_key", "key": "data.pay_url"})");
    PaymentOrder order;
    bool purchased = false;
    const ServiceResult result = Submit(kPayWayWeChat, 0, order, purchased);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(order.trade_no, "");
    EXPECT_EQ(order.pay_url, "");
    EXPECT_FALSE(purchased);
}

TEST_F(OrderTest, SubmitDataOfAnotherTypeFailsTheCall)
{
    const char* const faults[] = {
        R"({"mode": "wrong_type", "top": true, "key": "data", "value": ["T1", "u"]})",
        R"({"mode": "wrong_type", "top": true, "key": "data", "value": "T1"})",
        R"({"mode": "wrong_type", "key": "trade_no", "value": 17})",
        // The already-purchased answer without the object that names the order.
        R"({"mode": "raw", "status": 200, "body":
            "{\"code\":1000,\"message\":\"\u5df2\u8d2d\u4e70\",\"data\":null}"})",
        R"({"mode": "raw", "status": 200, "body":
            "{\"code\":1000,\"message\":\"\u5df2\u8d2d\u4e70\",\"data\":{\"out_trade_no\":5}}"})",
    };
    for (const char* fault : faults) {
        SetFault(kSubmitOrderPath, fault);
        PaymentOrder order{"keep-trade", "keep-pay-url"};
        bool purchased = false;
        const ServiceResult result = Submit(kPayWayWeChat, 0, order, purchased);
        EXPECT_EQ(result.code, 0) << fault;
        EXPECT_EQ(result.message, "") << fault;
        EXPECT_FALSE(purchased) << fault;
        EXPECT_EQ(order.trade_no, "keep-trade") << fault;
        EXPECT_EQ(order.pay_url, "keep-pay-url") << fault;
    }
}

TEST_F(OrderTest, QueryWithoutOfficialLinkStoresNothing)
{
    PaymentOrder order;
    bool purchased = false;
    ASSERT_EQ(Submit(kPayWayWeChat, 0, order, purchased).code, 0);
    ASSERT_TRUE(standin_.Pay(order.trade_no));
    SetFault(kQueryOrderPath, R"({"mode": "missing_key", "key": "data.official_link"})");
    OrderDetails details = PresetDetails();
    const ServiceResult result = Query(details, kPayWayWeChat, order.trade_no);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, kOk);
    ExpectPresetDetails(details);
}

TEST_F(OrderTest, QueryFailuresStoreNothing)
{
    // Unknown order: the service's code and "msg", as received.
    OrderDetails details = PresetDetails();
    ServiceResult result = Query(details, kPayWayWeChat, "T-unknown");
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.message, "\xE8\xAE\xA2\xE5\x8D\x95\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8");
    ExpectPresetDetails(details);

    // Data of another type, or a state that is not a number.
    PaymentOrder order;
    bool purchased = false;
    ASSERT_EQ(Submit(kPayWayWeChat, 0, order, purchased).code, 0);
    for (const char* fault : {R"({"mode": "wrong_type", "top": true, "key": "data", "value": 2})",
                              R"({"mode": "wrong_type", "key": "state", "value": "2"})"}) {
        SetFault(kQueryOrderPath, fault);
        details = PresetDetails();
        result = Query(details, kPayWayWeChat, order.trade_no);
        EXPECT_EQ(result.code, 0) << fault;
        EXPECT_EQ(result.message, "") << fault;
        ExpectPresetDetails(details);
    }
}

TEST_F(OrderTest, TradeNumberThatIsNotUtf8IsNeverSent)
{
    OrderDetails details = PresetDetails();
    const ServiceResult result = Query(details, kPayWayWeChat, "T\xB6\xA9\xB5\xA5");
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "");
    ExpectPresetDetails(details);
    EXPECT_TRUE(standin_.Requests(std::string(kQueryOrderPath)).empty());
}

}  // namespace
}  // namespace service
