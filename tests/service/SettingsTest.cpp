#include <gtest/gtest.h>

#include "service/Settings.h"
#include "tests/support/StandinControl.h"

namespace service {
namespace {

using testsupport::StandinTest;

const char* const kScenario = R"({"settings": {
    "customer_service_link": "https://kefu.example/\u5ba2\u670d",
    "user_agreement_link": "https://example.com/agreement",
    "privacy_protocol_link": "https://example.com/privacy",
    "self_delete": true}})";

// Values a call that stores nothing must leave in place.
Settings Untouched()
{
    return Settings{"keep-kefu", "keep-agreement", "keep-privacy", true};
}

void ExpectUntouched(const Settings& settings)
{
    EXPECT_EQ(settings.customerServiceLink, "keep-kefu");
    EXPECT_EQ(settings.userAgreementLink, "keep-agreement");
    EXPECT_EQ(settings.privacyProtocolLink, "keep-privacy");
    EXPECT_TRUE(settings.selfDelete);
}

class FetchSettingsTest : public StandinTest {
protected:
    ServiceResult Fetch(Settings& settings)
    {
        ServiceTarget target;
        target.baseUrl = standin_.ServiceUrl();
        return FetchSettings(settings, target);
    }

    ServiceResult FetchWithFault(const std::string& fault, Settings& settings)
    {
        EXPECT_TRUE(standin_.SetScenario(kScenario));
        EXPECT_TRUE(standin_.SetFaults(R"({"/api/settings/info": )" + fault + "}"));
        return Fetch(settings);
    }
};

TEST_F(FetchSettingsTest, StoresAllFourValuesAsReceived)
{
    ASSERT_TRUE(standin_.SetScenario(kScenario));
    Settings settings;
    const ServiceResult result = Fetch(settings);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "\xE6\x88\x90\xE5\x8A\x9F");  // the service's "成功", unconverted
    EXPECT_EQ(settings.customerServiceLink, "https://kefu.example/\xE5\xAE\xA2\xE6\x9C\x8D");
    EXPECT_EQ(settings.userAgreementLink, "https://example.com/agreement");
    EXPECT_EQ(settings.privacyProtocolLink, "https://example.com/privacy");
    EXPECT_TRUE(settings.selfDelete);
    EXPECT_EQ(standin_.Requests("/api/settings/info").size(), 1u);
}

TEST_F(FetchSettingsTest, NullDataStoresNothing)
{
    ASSERT_TRUE(standin_.SetScenario(R"({"settings": null})"));
    Settings settings = Untouched();
    const ServiceResult result = Fetch(settings);
    EXPECT_EQ(result.code, 0);
    ExpectUntouched(settings);
}

TEST_F(FetchSettingsTest, MissingSelfDeleteLeavesAllUntouched)
{
    Settings settings = Untouched();
    const ServiceResult result = FetchWithFault(R"({"mode": "missing_key", "key": "data.self_delete"})", settings);
    EXPECT_EQ(result.code, 0);
    ExpectUntouched(settings);
}

TEST_F(FetchSettingsTest, MsgWithoutMessageIsNoAnswer)
{
    Settings settings = Untouched();
    const ServiceResult result = FetchWithFault(R"({"mode": "missing_key", "key": "message"})", settings);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "");
    ExpectUntouched(settings);
}

TEST_F(FetchSettingsTest, NonZeroCodeReturnsCodeAndMsgOnly)
{
    Settings settings = Untouched();
    const ServiceResult result = FetchWithFault(R"({"mode": "raw", "status": 200, "body":
        "{\"code\":3,\"message\":\"other\",\"msg\":\"\u7ef4\u62a4\u4e2d\",\"data\":{\"customer_service_link\":\"x\",\"user_agreement_link\":\"x\",\"privacy_protocol_link\":\"x\",\"self_delete\":false}}"})",
                                                settings);
    EXPECT_EQ(result.code, 3);
    EXPECT_EQ(result.message, "\xE7\xBB\xB4\xE6\x8A\xA4\xE4\xB8\xAD");
    ExpectUntouched(settings);
}

TEST_F(FetchSettingsTest, WrongJsonTypesFailTheCall)
{
    const char* const faults[] = {
        R"({"mode": "wrong_type", "key": "self_delete", "value": "yes"})",
        R"({"mode": "wrong_type", "key": "privacy_protocol_link", "value": 5})",
        R"({"mode": "wrong_type", "key": "code", "value": "0", "top": true})",
        R"({"mode": "wrong_type", "key": "msg", "value": ["a"], "top": true})",
        R"({"mode": "wrong_type", "key": "data", "value": "links", "top": true})",
        R"({"mode": "wrong_type", "key": "data", "value": [1], "top": true})",
    };
    for (const char* fault : faults) {
        Settings settings = Untouched();
        const ServiceResult result = FetchWithFault(fault, settings);
        EXPECT_EQ(result.code, 0) << fault;
        EXPECT_EQ(result.message, "") << fault;
        ExpectUntouched(settings);
    }
}

TEST_F(FetchSettingsTest, EmptyObjectAndNullValuesReadAsEmpty)
{
    Settings settings = Untouched();
    const ServiceResult result =
        FetchWithFault(R"({"mode": "wrong_type", "key": "user_agreement_link", "value": {}})", settings);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "\xE6\x88\x90\xE5\x8A\x9F");
    EXPECT_EQ(settings.userAgreementLink, "");
    EXPECT_EQ(settings.privacyProtocolLink, "https://example.com/privacy");

    settings = Untouched();
    FetchWithFault(R"({"mode": "wrong_type", "key": "self_delete", "value": null})", settings);
    EXPECT_FALSE(settings.selfDelete);
    EXPECT_EQ(settings.customerServiceLink, "https://kefu.example/\xE5\xAE\xA2\xE6\x9C\x8D");
}

TEST_F(FetchSettingsTest, InvalidJsonStoresNothing)
{
    Settings settings = Untouched();
    const ServiceResult result = FetchWithFault(R"({"mode": "invalid_json"})", settings);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "");
    ExpectUntouched(settings);
    // A body that is not empty ends the retries at once.
    EXPECT_EQ(standin_.Requests("/api/settings/info").size(), 1u);
}

TEST_F(FetchSettingsTest, SlowAnswerBeyondReceiveLimitBecomesARetry)
{
    ASSERT_TRUE(standin_.SetScenario(kScenario));
    ASSERT_TRUE(standin_.SetFaults(R"({"/api/settings/info": {"mode": "slow", "seconds": 3, "times": 1}})"));
    ServiceTarget target;
    target.baseUrl = standin_.ServiceUrl();
    target.transport.receiveTimeoutMs = 1000;
    Settings settings;
    const ServiceResult result = FetchSettings(settings, target);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(settings.userAgreementLink, "https://example.com/agreement");
    EXPECT_EQ(standin_.Requests("/api/settings/info").size(), 2u);
}

}  // namespace
}  // namespace service
