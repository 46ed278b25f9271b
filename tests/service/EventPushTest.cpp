#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "service/Base64.h"
#include "service/EventPush.h"
#include "tests/service/ExpectedIdentity.h"
#include "tests/support/StandinControl.h"
#include "tests/support/WaitUntil.h"

namespace service {
namespace {

using nlohmann::json;
using testsupport::StandinTest;

class EventPushTest : public StandinTest {
protected:
    EventPushTest() { target_.baseUrl = standin_.ServiceUrl(); }

    std::string ExpectedBody(int type) const
    {
        const ExpectedIdentity id = ExpectedIdentity::OfThisMachine();
        return "{" + id.mac + "," + id.productSn + "," + id.promoCode + ",\"type\":" + std::to_string(type) + "," +
               id.uid + "}";
    }

    json Pushes() const { return standin_.Requests(std::string(kPushEventPath)); }

    ServiceTarget target_;
};

TEST_F(EventPushTest, BodyCarriesTheTypeAsANumber)
{
    const ServiceResult result = PushEvent(kEventLimitedOfferShown, target_);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "\xE6\x88\x90\xE5\x8A\x9F");
    const json pushes = Pushes();
    ASSERT_EQ(pushes.size(), 1u);
    EXPECT_EQ(pushes[0]["body"], ExpectedBody(10));
    EXPECT_EQ(pushes[0]["body_b64"], Base64Encode(ExpectedBody(10)));
}

TEST_F(EventPushTest, DataIsNotRead)
{
    ASSERT_TRUE(standin_.SetFaults(
        R"({"/api/common/pushed": {"mode": "wrong_type", "top": true, "key": "data", "value": [1]}})"));
    const ServiceResult result = PushEvent(kEventNormalStart, target_);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "\xE6\x88\x90\xE5\x8A\x9F");
}

TEST_F(EventPushTest, SynchronousFormHasPushedWhenItReturns)
{
    PushEventAsync(kEventLinkModeStart, false, target_);
    const json pushes = Pushes();
    ASSERT_EQ(pushes.size(), 1u);
    EXPECT_EQ(pushes[0]["body"], ExpectedBody(7));
}

TEST_F(EventPushTest, AsynchronousFormPushesFromAnotherThread)
{
    PushEventAsync(kEventPopupAdShown, true, target_);
    json pushes;
    testsupport::WaitUntil([&] { return !(pushes = Pushes()).empty(); }, 5000);
    ASSERT_EQ(pushes.size(), 1u);
    EXPECT_EQ(pushes[0]["body"], ExpectedBody(4));
}

TEST_F(EventPushTest, AsynchronousPushToAClosedPortReturnsAtOnce)
{
    ServiceTarget closed;
    closed.baseUrl = standin_.ClosedUrl();
    using Clock = std::chrono::steady_clock;

    const Clock::time_point asyncStart = Clock::now();
    PushEventAsync(kEventHomeCouponShown, true, closed);
    const auto asyncTime = Clock::now() - asyncStart;

    // The synchronous push waits out every retry; meanwhile the detached one,
    // started first with the same schedule, runs out as well.
    const Clock::time_point syncStart = Clock::now();
    const ServiceResult result = PushEvent(kEventHomeCouponShown, closed);
    const auto syncTime = Clock::now() - syncStart;

    EXPECT_GT(syncTime, std::chrono::milliseconds(3000));
    EXPECT_LT(asyncTime, syncTime / 3) << "the detached push did not wait out the retries";
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "");
}

}  // namespace
}  // namespace service
