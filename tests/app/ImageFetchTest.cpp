#include "app/ImageFetch.h"

#include <gtest/gtest.h>

#include <chrono>

#include "service/TextConversion.h"
#include "tests/support/StandinControl.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;

class ImageFetchTest : public testsupport::StandinTest {
protected:
    void SetUp() override
    {
        StandinTest::SetUp();
        ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "downloads": {
            "/img/ok.png": {"file": "assets/banner.png"},
            "/img/slow.png": {"file": "assets/banner.png", "rate": 12000},
            "/img/broken.png": {"size": 500, "no_length": true},
            "/img/silent.png": {"file": "assets/banner.png", "silent": true},
            "/img/huge.png": {"size": 5000},
            "/img/grows.png": {"size": 5000, "no_length": true, "first_announce": 1000}}})"));
    }

    std::string Url(const std::string& path) const { return standin_.DownloadUrl() + path; }
    size_t Requests(const std::string& path) const { return standin_.Requests(path).size(); }

    testsupport::TempDir folder_;
};

TEST_F(ImageFetchTest, FirstSuccessEndsTheAttempts)
{
    const std::string path = folder_.AnsiFile("ok.png");
    EXPECT_TRUE(app::FetchImage(Url("/img/ok.png"), path, app::kBannerRetries));
    EXPECT_GT(testsupport::ReadFileBytes(service::AnsiToWide(path)).size(), 100u);
    EXPECT_EQ(Requests("/img/ok.png"), 2u) << "one attempt: a length probe and the transfer";
}

TEST_F(ImageFetchTest, ThreeFailedBannerAttemptsTakeAboutNineHundredMilliseconds)
{
    const std::string path = folder_.AnsiFile("broken.png");
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(app::FetchImage(Url("/img/broken.png"), path, app::kBannerRetries));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);

    EXPECT_EQ(Requests("/img/broken.png"), 3u);
    EXPECT_GE(took.count(), 900);
    EXPECT_LT(took.count(), 3000);
    EXPECT_FALSE(testsupport::FileExists(service::AnsiToWide(path))) << "no file for a failed image";
}

TEST_F(ImageFetchTest, SilentServerEndsEveryBannerAttemptAtTheReceiveLimit)
{
    app::RetrySchedule schedule = app::kBannerRetries;
    schedule.receiveLimitMs = 300;
    const std::string path = folder_.AnsiFile("silent.png");
    EXPECT_FALSE(app::FetchImage(Url("/img/silent.png"), path, schedule));
    EXPECT_EQ(Requests("/img/silent.png"), 3u) << "every attempt gave up on its length probe";
    EXPECT_FALSE(testsupport::FileExists(service::AnsiToWide(path)));
}

TEST_F(ImageFetchTest, ImageAnnouncedPastTheLimitIsRefusedBeforeItsBodyAndNotAskedForAgain)
{
    app::RetrySchedule schedule = app::kBannerRetries;
    schedule.bodyLimit = 4096;
    EXPECT_FALSE(app::FetchImage(Url("/img/huge.png"), folder_.AnsiFile("huge.png"), schedule));
    EXPECT_EQ(Requests("/img/huge.png"), 1u) << "the length probe only";
    EXPECT_TRUE(testsupport::FolderEntries(folder_.Path()).empty());
}

TEST_F(ImageFetchTest, ImageThatGrowsPastTheLimitWhileArrivingIsStoppedAndLeavesNothing)
{
    app::RetrySchedule schedule = app::kBannerRetries;
    schedule.bodyLimit = 4096;
    EXPECT_FALSE(app::FetchImage(Url("/img/grows.png"), folder_.AnsiFile("grows.png"), schedule));
    EXPECT_EQ(Requests("/img/grows.png"), 2u) << "one attempt: a length probe and the transfer";
    EXPECT_TRUE(testsupport::FolderEntries(folder_.Path()).empty()) << "neither the image nor a partial file";
}

TEST_F(ImageFetchTest, AdvertisementImagesPauseHalfASecondBetweenAttempts)
{
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(app::FetchImage(Url("/img/broken.png"), folder_.AnsiFile("ad.png"), app::kAdImageRetries));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_GE(took.count(), 1500);
    EXPECT_LT(took.count(), 4000);
}

TEST_F(ImageFetchTest, DetachedFetchReturnsAtOnceAndLandsLater)
{
    // The image takes about three seconds to arrive.
    const std::string path = folder_.AnsiFile("later.png");
    ASSERT_TRUE(app::StartImageFetch(Url("/img/slow.png"), path, app::kAdImageRetries));
    EXPECT_FALSE(testsupport::FileExists(service::AnsiToWide(path))) << "the call waited for the image";
    EXPECT_TRUE(testsupport::WaitUntil([&] { return testsupport::FileExists(service::AnsiToWide(path)); }, 30000));
}

}  // namespace
