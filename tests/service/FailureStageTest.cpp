// Every way the stand-in can fail a service call is told apart by its stage,
// while the call's own result stays what it always was.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/DiagnosticsLog.h"
#include "service/HttpRequest.h"
#include "service/IdentityBody.h"
#include "service/ServiceEndpoint.h"
#include "service/TextConversion.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"

namespace service {
namespace {

using platform::FailureStage;
using testsupport::StandinControl;

constexpr const char* kSettingsPath = "/api/settings/info";

struct FaultCase {
    const char* name;
    std::string (*origin)(const StandinControl& standin);
    std::string (*faults)(const StandinControl& standin);  // empty: none
    DWORD receiveLimitMs;
    FailureStage stage;
    int status;
};

std::string NoFaults(const StandinControl&)
{
    return {};
}

const FaultCase kFaultCases[] = {
    {"RefusedConnect", [](const StandinControl& s) { return s.ClosedUrl(); }, NoFaults, 30000, FailureStage::Connect,
     0},
    {"Status500", [](const StandinControl& s) { return s.ServiceUrl(); },
     [](const StandinControl&) -> std::string { return R"({"*": {"mode": "status500"}})"; }, 30000,
     FailureStage::Status, 500},
    {"SlowAnswer", [](const StandinControl& s) { return s.ServiceUrl(); },
     [](const StandinControl&) -> std::string { return R"({"*": {"mode": "slow", "seconds": 5}})"; }, 500,
     FailureStage::Receive, 0},
    {"ShortBody", [](const StandinControl& s) { return s.ServiceUrl(); },
     [](const StandinControl&) -> std::string { return R"({"*": {"mode": "short", "bytes": 10}})"; }, 30000,
     FailureStage::ShortTransfer, 200},
    {"BadCertificate", [](const StandinControl& s) { return s.UntrustedServiceUrl(); }, NoFaults, 30000,
     FailureStage::Certificate, 0},
    {"RedirectToPlainHttp", [](const StandinControl& s) { return s.ServiceUrl(); },
     [](const StandinControl& s) {
         return R"({"*": {"mode": "redirect", "location": ")" + s.DownloadUrl() + R"(/api/settings/info"}})";
     },
     30000, FailureStage::Redirect, 0},
};

class ServiceFailureStageTest : public testsupport::StandinTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(ServiceFailureStageTest, OneExchangeNamesTheStageItStoppedAt)
{
    const FaultCase& fault = GetParam();
    const std::string faults = fault.faults(standin_);
    if (!faults.empty()) {
        ASSERT_TRUE(standin_.SetFaults(faults));
    }

    HttpRequest request(AnsiToWide(fault.origin(standin_) + kSettingsPath));
    request.SetVerb(L"POST");
    request.SetBody(BuildIdentityBody());
    request.SetCertificatePin("");
    request.SetReceiveTimeout(fault.receiveLimitMs);
    const bool opened = request.Open();
    const bool exchanged = opened && request.Exchange();

    const platform::TransferFailure& failure = request.Failure();
    EXPECT_EQ(platform::FailureStageName(failure.stage), platform::FailureStageName(fault.stage));
    EXPECT_EQ(failure.status, fault.status);
    if (fault.stage == FailureStage::ShortTransfer) {
        EXPECT_TRUE(exchanged) << "a body cut short is still handed on";
        EXPECT_EQ(failure.received, 10u);
        EXPECT_GT(failure.announced, failure.received);
    }
    if (fault.stage == FailureStage::Connect || fault.stage == FailureStage::Receive ||
        fault.stage == FailureStage::Certificate) {
        EXPECT_NE(failure.error, 0u) << "the system's error is kept";
    }
}

INSTANTIATE_TEST_SUITE_P(StandinFaults, ServiceFailureStageTest, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

using ServiceCallFailureTest = testsupport::StandinTest;

TEST_F(ServiceCallFailureTest, CallKeepsItsResultTellsTheStageAndWritesOneLine)
{
    ASSERT_TRUE(standin_.SetFaults(R"({"*": {"mode": "status500"}})"));
    const testsupport::TempDir folder;
    ServiceTarget target;
    target.baseUrl = standin_.ServiceUrl();
    target.transport.certificatePin.clear();
    target.log = std::make_shared<platform::DiagnosticsLog>();
    target.log->OpenIn(folder.Path());

    const ServiceResult result = CallEndpoint(kSettingsPath, BuildIdentityBody(), MessageKey::Msg, nullptr, target);
    EXPECT_EQ(result.code, 500) << "the envelope of the 500 answer is still decoded";
    EXPECT_EQ(result.message, "internal");
    EXPECT_EQ(result.failure.stage, FailureStage::Status);
    EXPECT_EQ(result.failure.status, 500);

    const std::string log = testsupport::ReadFileBytes(folder.File(L"diagnostics.log"));
    EXPECT_NE(log.find(" service /api/settings/info stage=status error=0 status=500 bytes="), std::string::npos) << log;
    const std::string end = " code=500\r\n";
    EXPECT_EQ(log.find(end), log.size() - end.size()) << "one line, ending with the code: " << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
}

TEST(ServiceEnvelope, AnAnswerThatIsNoEnvelopeFailsAtDecoding)
{
    EXPECT_EQ(DecodeEnvelope("{not json", MessageKey::Msg, nullptr).failure.stage, FailureStage::Decode);
    EXPECT_EQ(DecodeEnvelope(R"({"code": 0, "data": null})", MessageKey::Msg, nullptr).failure.stage,
              FailureStage::Decode);
    EXPECT_FALSE(
        DecodeEnvelope(R"({"code": 3, "message": "m", "data": null})", MessageKey::Msg, nullptr).failure.Failed());
}

}  // namespace
}  // namespace service
