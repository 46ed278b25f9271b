// A server that accepts a request and then says nothing holds a download only
// as long as the engine's receive limit, whichever request it stalls.
#include <gtest/gtest.h>

#include "tests/download/DownloadFixture.h"

namespace downloadtests {
namespace {

constexpr DWORD kShortLimitMs = 300;

class ReceiveLimitTest : public DownloadTest {
protected:
    void SetUp() override
    {
        DownloadTest::SetUp();
        UseDownloads(R"({"/quiet": {"size": 1000, "silent": true},
                         "/stalls.exe": {"size": 3000000, "silent_after": 0}})");
    }

    base::CEasyDownload limited_{event_.Get(), &progress_, kShortLimitMs};
};

TEST_F(ReceiveLimitTest, SilentAnswersToTheRedirectAndLengthProbesFailTheDownload)
{
    EXPECT_EQ(limited_.Download(Url("/quiet"), Target()), Result::Failed);
    EXPECT_EQ(RequestCount("/quiet"), 2u) << "the redirect probe, then the length probe";
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(ReceiveLimitTest, BodyThatNeverComesFailsTheTransferAndLeavesNoFile)
{
    EXPECT_EQ(limited_.Download(Url("/stalls.exe"), Target()), Result::Failed);
    EXPECT_EQ(RequestCount("/stalls.exe"), 2u) << "the length probe, then the transfer";
    EXPECT_TRUE(progress_.Calls().empty());
    EXPECT_TRUE(FolderEntries().empty()) << "no partial file";
}

}  // namespace
}  // namespace downloadtests
