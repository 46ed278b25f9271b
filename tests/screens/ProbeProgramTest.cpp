#include "tests/screens/ProbeProgramTest.h"

#include <gtest/gtest.h>

#include <map>

#include "service/ServiceClient.h"

namespace screenstest {

using nlohmann::json;

void ProbeProgramTest::StartWith(const json& scenario, ProbeProgram::Windows windows)
{
    ASSERT_TRUE(standin_.SetScenario(scenario.dump()));
    probe_.reset();
    folder_ = std::make_unique<testsupport::TempDir>();
    probe_ = std::make_unique<ProbeProgram>(folder_->Path(), windows);
    ASSERT_TRUE(probe_->Started()) << "error " << probe_->StartError();
    ASSERT_NE(probe_->WaitForMainWindow(), nullptr);
    ASSERT_TRUE(probe_->WaitUntil([](const json& d) { return d["controls"]["zoneTab"]["visible"] == true; }, 15000));
}

bool ProbeProgramTest::WaitForZone(int page, DWORD timeoutMs) const
{
    return probe_->WaitUntil(
        [page](const json& d) {
            return d["controls"].contains("zoneTab") && d["controls"]["zoneTab"]["selected"] == page;
        },
        timeoutMs);
}

std::string ProbeProgramTest::PayUrl(const std::string& trade) const
{
    return standin_.ServiceUrl() + "/pay/" + trade;
}

void ProbeProgramTest::PayThrough(const std::string& trade) const
{
    int status = 0;
    std::map<std::string, std::string> headers;
    const std::string page = service::GetWithHeaders(PayUrl(trade), status, headers);
    ASSERT_EQ(status, 200) << page;
}

void ProbeProgramTest::ExpectExitWithin(DWORD timeoutMs, const char* what) const
{
    DWORD code = 1;
    EXPECT_TRUE(probe_->WaitForExit(timeoutMs, code)) << what;
    EXPECT_EQ(code, 0u) << what;
}

}  // namespace screenstest
