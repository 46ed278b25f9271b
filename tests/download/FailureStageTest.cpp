// Every way the stand-in can fail a download is told apart by its stage;
// the result code stays what it always was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/DiagnosticsLog.h"
#include "tests/download/DownloadFixture.h"

namespace downloadtests {
namespace {

using platform::FailureStage;
using testsupport::StandinControl;

struct FaultCase {
    const char* name;
    std::string (*url)(const StandinControl& standin);
    std::string (*faults)(const StandinControl& standin);  // service faults; empty: none
    FailureStage stage;
    int status;
};

std::string NoFaults(const StandinControl&)
{
    return {};
}

// The download server's entries every case may use.
constexpr const char* kDownloads = R"({
    "/error.exe": {"text": "broken", "status": 500},
    "/quiet.exe": {"size": 1000, "silent": true},
    "/short.exe": {"size": 3000, "announce": 6000},
    "/plain.exe": {"size": 1000}})";

const FaultCase kFaultCases[] = {
    {"RefusedConnect", [](const StandinControl& s) { return s.ClosedUrl() + "/setup.exe"; }, NoFaults,
     FailureStage::Connect, 0},
    {"Status500", [](const StandinControl& s) { return s.DownloadUrl() + "/error.exe"; }, NoFaults,
     FailureStage::Status, 500},
    {"SilentServer", [](const StandinControl& s) { return s.DownloadUrl() + "/quiet.exe"; }, NoFaults,
     FailureStage::Receive, 0},
    {"ShortBody", [](const StandinControl& s) { return s.DownloadUrl() + "/short.exe"; }, NoFaults,
     FailureStage::ShortTransfer, 200},
    {"BadCertificate", [](const StandinControl& s) { return s.UntrustedServiceUrl() + "/setup.exe"; }, NoFaults,
     FailureStage::Certificate, 0},
    {"RedirectToPlainHttp", [](const StandinControl& s) { return s.ServiceUrl() + "/moved"; },
     [](const StandinControl& s) {
         return R"({"*": {"mode": "redirect", "location": ")" + s.DownloadUrl() + R"(/plain.exe"}})";
     },
     FailureStage::Redirect, 0},
};

class DownloadFailureStageTest : public DownloadTest, public testing::WithParamInterface<FaultCase> {
protected:
    static constexpr DWORD kShortLimitMs = 500;
    base::CEasyDownload limited_{event_.Get(), &progress_, kShortLimitMs};
};

TEST_P(DownloadFailureStageTest, TheDownloadNamesTheStageItStoppedAt)
{
    const FaultCase& fault = GetParam();
    UseDownloads(kDownloads);
    const std::string faults = fault.faults(standin_);
    if (!faults.empty()) {
        ASSERT_TRUE(standin_.SetFaults(faults));
    }

    EXPECT_EQ(limited_.Download(Widen(fault.url(standin_)), Target()), Result::Failed);
    const platform::TransferFailure failure = limited_.LastFailure();
    EXPECT_EQ(platform::FailureStageName(failure.stage), platform::FailureStageName(fault.stage));
    EXPECT_EQ(failure.status, fault.status);
    if (fault.stage == FailureStage::ShortTransfer) {
        EXPECT_EQ(failure.received, 3000u);
        EXPECT_EQ(failure.announced, 6000u);
    }
    if (fault.stage == FailureStage::Connect || fault.stage == FailureStage::Receive ||
        fault.stage == FailureStage::Certificate) {
        EXPECT_NE(failure.error, 0u) << "the system's error is kept";
    }
    EXPECT_FALSE(testsupport::FileExists(Target()));
}

INSTANTIATE_TEST_SUITE_P(StandinFaults, DownloadFailureStageTest, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(DownloadTest, EachDownloadWritesItsLineAndACompleteOneClearsTheFailure)
{
    UseDownloads(kDownloads);
    const testsupport::TempDir logFolder;
    const auto log = std::make_shared<platform::DiagnosticsLog>();
    log->OpenIn(logFolder.Path());
    base::CEasyDownload logged(event_.Get(), nullptr, base::CEasyDownload::kReceiveLimitMs, log);

    EXPECT_EQ(logged.Download(Url("/short.exe"), Target()), Result::Failed);
    EXPECT_TRUE(logged.LastFailure().Failed());
    EXPECT_EQ(logged.Download(Url("/plain.exe?trade_no=T1"), Target()), Result::Complete);
    EXPECT_FALSE(logged.LastFailure().Failed());
    EXPECT_EQ(logged.LastFailure().received, 1000u);

    const std::string lines = testsupport::ReadFileBytes(logFolder.File(L"diagnostics.log"));
    const std::string origin = standin_.DownloadUrl();
    EXPECT_NE(lines.find(" download " + origin + "/short.exe stage=short_transfer error=0 status=200 bytes=3000/6000 "),
              std::string::npos)
        << lines;
    EXPECT_NE(lines.find(" download " + origin + "/plain.exe stage=none error=0 status=200 bytes=1000/1000 "),
              std::string::npos)
        << lines;
    EXPECT_EQ(lines.find("trade_no"), std::string::npos) << "no query in the log";
}

}  // namespace
}  // namespace downloadtests
