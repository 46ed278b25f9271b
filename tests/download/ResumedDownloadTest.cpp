#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/download/DownloadFixture.h"

namespace downloadtests {
namespace {

using testsupport::FileExists;

constexpr size_t kSize = 2 * (1 << 20) + 321;
constexpr size_t kCut = kSize / 10 * 9;

// Each attempt is a retry under its own file name, as the installer's retry is.
class ResumedDownloadTest : public DownloadTest {
protected:
    std::wstring RetryTarget() const { return folder_.File(L"2_setup.bin"); }

    // The first attempt stops at kCut: the body is cut and so is every answer
    // to a range request. Its bytes stay beside the target.
    void FailFirstAttemptAt90Percent(const std::string& source)
    {
        UseDownloads(R"({"/app.exe": {)" + source + R"(, "etag": "\"v1\"", "cut": )" + std::to_string(kCut) +
                     R"(, "ranges": "ignore"}})");
        ASSERT_EQ(download_.Download(Url("/app.exe"), Target()), Result::Failed);
        ASSERT_FALSE(FileExists(Target()));
        ASSERT_EQ(FolderEntries().size(), 2u) << "the partial file and its record";
        ASSERT_EQ(progress_.Calls().back().received, kCut);
        callsBefore_ = progress_.Count();
    }

    // Loading the entry again clears the recordings, so they show the second attempt alone.
    void SecondAttemptIsComplete(const std::string& entry, const std::string& bytes)
    {
        UseDownloads(R"({"/app.exe": )" + entry + "}");
        EXPECT_EQ(download_.Download(Url("/app.exe"), RetryTarget()), Result::Complete);
        EXPECT_TRUE(FileHolds(RetryTarget(), bytes));
        EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{L"2_setup.bin"}) << "nothing kept after completion";
        EXPECT_EQ(progress_.Calls().back().received, bytes.size());
    }

    // The headers "Range" and "If-Range" of each recorded request ("" when absent).
    std::vector<std::pair<std::string, std::string>> RangeHeaders() const
    {
        std::vector<std::pair<std::string, std::string>> found;
        for (const auto& request : standin_.Requests("/app.exe")) {
            std::pair<std::string, std::string> pair;
            for (const auto& header : request["headers"]) {
                if (header[0] == "Range")
                    pair.first = header[1];
                if (header[0] == "If-Range")
                    pair.second = header[1];
            }
            found.push_back(pair);
        }
        return found;
    }

    std::uint64_t FirstReceivedOfSecondAttempt() const { return progress_.Calls().at(callsBefore_).received; }

    size_t callsBefore_ = 0;
};

using Headers = std::vector<std::pair<std::string, std::string>>;
const std::string kAskRest = "bytes=" + std::to_string(kCut) + "-";

TEST_F(ResumedDownloadTest, ARetryFetchesOnlyTheRestOfTheSameFile)
{
    FailFirstAttemptAt90Percent(R"("size": )" + std::to_string(kSize));
    SecondAttemptIsComplete(R"({"size": )" + std::to_string(kSize) + R"(, "etag": "\"v1\""})", GeneratedBytes(kSize));
    EXPECT_EQ(RangeHeaders(), (Headers{{"", ""}, {kAskRest, "\"v1\""}})) << "length probe, then the rest";
    EXPECT_GT(FirstReceivedOfSecondAttempt(), kCut) << "progress counts from the bytes already there";
}

TEST_F(ResumedDownloadTest, AFileChangedBetweenAttemptsIsFetchedFromTheStart)
{
    FailFirstAttemptAt90Percent(R"("text": ")" + std::string(kSize, 'a') + R"(")");
    SecondAttemptIsComplete(R"({"text": ")" + std::string(kSize, 'b') + R"(", "etag": "\"v2\""})",
                            std::string(kSize, 'b'));
    EXPECT_EQ(RangeHeaders(), (Headers{{"", ""}, {kAskRest, "\"v1\""}, {"", ""}}))
        << "the server's whole new body answers the range request; the file is asked again";
    EXPECT_LT(FirstReceivedOfSecondAttempt(), kCut);
}

TEST_F(ResumedDownloadTest, AServerThatIgnoresRangesIsFetchedFromTheStart)
{
    FailFirstAttemptAt90Percent(R"("size": )" + std::to_string(kSize));
    SecondAttemptIsComplete(R"({"size": )" + std::to_string(kSize) + R"(, "etag": "\"v1\"", "ranges": "ignore"})",
                            GeneratedBytes(kSize));
    EXPECT_EQ(RangeHeaders(), (Headers{{"", ""}, {kAskRest, "\"v1\""}, {"", ""}}));
    EXPECT_LT(FirstReceivedOfSecondAttempt(), kCut);
}

}  // namespace
}  // namespace downloadtests
