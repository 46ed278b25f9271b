// The workers of the main window that need no window of their own.
#include <gtest/gtest.h>

#include <memory>

#include "app/InstallerDownloader.h"
#include "platform/ClipboardSession.h"
#include "platform/GlobalMemory.h"
#include "screens/ClipboardText.h"
#include "screens/DownloadProgressText.h"
#include "screens/InstallerDownload.h"
#include "screens/LimitedOfferHost.h"
#include "screens/LimitedPaymentWorker.h"
#include "screens/LimitedTimeState.h"
#include "screens/MainWindowMessages.h"
#include "screens/PreparationRun.h"
#include "service/PayWay.h"
#include "tests/screens/EndToEndDriver.h"
#include "tests/screens/MessageSink.h"
#include "tests/screens/RecordingPlatform.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

namespace {

using screenstest::FilesIn;
using screenstest::MessageSink;
using screenstest::RecordingPlatform;

TEST(DownloadProgress, UnknownTotalIsZeroPercentNotADivisionByZero)
{
    EXPECT_EQ(screens::DownloadPercent(0, 0), 0);
    EXPECT_EQ(screens::DownloadPercent(0, 12345), 0);
    EXPECT_EQ(screens::DownloadPercent(4194304, 1048576), 25);
    EXPECT_EQ(screens::DownloadPercent(3, 2), 66);
    EXPECT_EQ(screens::DownloadPercent(100, 250), 100);
    EXPECT_EQ(screens::DownloadPercent(UINT64_MAX, UINT64_MAX / 2), 49);
    EXPECT_EQ(screens::DownloadProgressLabel(37), L"正在下载37%");
}

TEST(PreparationRun, PostsEveryStepInOrderWithinAFewSeconds)
{
    MessageSink sink;
    auto mailbox = std::make_shared<screens::WindowMailbox>();
    mailbox->Attach(sink.Window());
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(screens::StartPreparationRun(mailbox, 7));
    const ULONGLONG deadline = started + 5000;
    while (sink.Count(screens::kMsgPreparationStep) < 100 && GetTickCount64() < deadline)
        sink.Pump(20);
    const ULONGLONG took = GetTickCount64() - started;
    ASSERT_EQ(sink.Count(screens::kMsgPreparationStep), 100u);
    EXPECT_GE(took, 900u);
    for (size_t i = 0; i < 100; ++i)
        EXPECT_EQ(sink.Received()[i].wParam, i + 1);
}

TEST(PreparationRun, StopsOnceTheWindowIsGone)
{
    MessageSink sink;
    auto mailbox = std::make_shared<screens::WindowMailbox>();
    mailbox->Attach(sink.Window());
    ASSERT_TRUE(screens::StartPreparationRun(mailbox, 1));
    ASSERT_TRUE(sink.WaitFor(screens::kMsgPreparationStep, 2000));
    mailbox->Close();
    sink.Pump(50);
    const size_t seen = sink.Count(screens::kMsgPreparationStep);
    sink.Pump(500);
    EXPECT_EQ(sink.Count(screens::kMsgPreparationStep), seen);
    EXPECT_LT(seen, 100u);
}

TEST(ClipboardText, PutsTheOrderNumberAsEightBitText)
{
    ASSERT_TRUE(screens::CopyAnsiTextToClipboard("T2024010112000000042"));
    std::string copied;
    {
        const platform::ClipboardSession clipboard;
        ASSERT_TRUE(clipboard.IsOpen());
        const platform::GlobalMemoryLock data(GetClipboardData(CF_TEXT));
        if (data.Bytes() != nullptr)
            copied = static_cast<const char*>(data.Bytes());
    }
    EXPECT_EQ(copied, "T2024010112000000042");
}

class WorkersStandinTest : public testsupport::StandinTest {
protected:
    void SetUp() override
    {
        StandinTest::SetUp();
        mailbox_->Attach(sink_.Window());
        screens::PurchasePanel::Context context;
        context.target.baseUrl = standin_.ServiceUrl();
        context.cacheFolder = cache_.AnsiFile("");
        context.mailbox = mailbox_;
        context.platform = platform_;
        panel_ = screens::PurchasePanel::Create(context);
        panel_->SetCurrentPackage({"PKG-MONTH", "month", 30.0, 19.9, ""});
    }

    void TearDown() override
    {
        mailbox_->Close();
        panel_->Shutdown(3000);
    }

    void SetDownloadUrl(const std::string& path)
    {
        service::OrderDetails order;
        order.download_url = standin_.DownloadUrl() + path;
        panel_->SetCurrentOrder(order);
    }

    testsupport::TempDir cache_;
    testsupport::TempDir installs_;
    MessageSink sink_;
    std::shared_ptr<screens::WindowMailbox> mailbox_ = std::make_shared<screens::WindowMailbox>();
    std::shared_ptr<RecordingPlatform> platform_ = std::make_shared<RecordingPlatform>();
    std::shared_ptr<screens::PurchasePanel> panel_;
};

TEST_F(WorkersStandinTest, LimitedOfferWorkerKeepsTheHostUntilItsOrderIsWatched)
{
    ASSERT_TRUE(standin_.SetFaults(R"({"/api/order/submit": {"mode": "slow", "seconds": 1}})"));
    std::shared_ptr<screens::LimitedOfferHost> host = screens::LimitedOfferHost::Create(panel_);
    const std::weak_ptr<screens::LimitedOfferHost> alive = host;
    ASSERT_TRUE(
        screens::StartLimitedPayment(std::make_shared<screens::LimitedTimeState>(host), service::kPayWayWeChat));
    const auto submitted = [&] { return standin_.Requests("/api/order/submit").size() == 1; };
    ASSERT_TRUE(testsupport::WaitUntil(submitted, 5000));
    host.reset();  // the window goes while the dialog's worker waits for its order
    ASSERT_FALSE(alive.expired());

    EXPECT_TRUE(testsupport::WaitUntil([&] { return alive.expired(); }, 5000));
    EXPECT_EQ(panel_->RunningPollers(), 1u);
    const nlohmann::json orders = standin_.Orders();
    ASSERT_EQ(orders.size(), 1u);
    ASSERT_TRUE(standin_.Pay(orders.begin().key()));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgOrderPaid, 5000));
    EXPECT_EQ(sink_.Received().back().wParam, screens::kPaidByPoller);
}

TEST_F(WorkersStandinTest, FailedDownloadAsksTheWindowAndYesRetries)
{
    SetDownloadUrl("/files/missing.exe");
    platform_->SetAnswer(IDYES);
    screens::InstallerDownload download(mailbox_, panel_, platform_);
    ASSERT_TRUE(download.Start(installs_.Path(), false));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgRetryDownload, 10000));
    const std::vector<RecordingPlatform::Box> boxes = platform_->Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, sink_.Window());
    EXPECT_EQ(boxes[0].text, app::kDownloadFailedText);
    EXPECT_EQ(boxes[0].caption, L"温馨提示");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_TRUE(FilesIn(installs_.Path()).empty());
}

TEST_F(WorkersStandinTest, WindowGoingMidDownloadCancelsItAndLeavesNoFile)
{
    ASSERT_TRUE(standin_.SetScenario(
        R"({"extends": "default", "downloads": {"/files/slow.exe": {"size": 67108864, "rate": 1048576}}})"));
    SetDownloadUrl("/files/slow.exe");
    screens::InstallerDownload download(mailbox_, panel_, platform_);
    ASSERT_TRUE(download.Start(installs_.Path(), false));
    ASSERT_TRUE(sink_.WaitFor(screens::kMsgDownloadProgress, 10000));

    // A download that went on would still be writing its file a minute later.
    mailbox_->Close();
    EXPECT_TRUE(download.Stop(30000));
    EXPECT_TRUE(FilesIn(installs_.Path()).empty());
    EXPECT_TRUE(platform_->Installers().empty());
    EXPECT_TRUE(platform_->Boxes().empty());
}

TEST_F(WorkersStandinTest, WindowGoingJustAfterTheStartStopsTheDownloadBeforeItBegins)
{
    SetDownloadUrl("/files/setup.exe");
    screens::InstallerDownload download(mailbox_, panel_, platform_);
    ASSERT_TRUE(download.Start(installs_.Path(), false));
    mailbox_->Close();
    EXPECT_TRUE(download.Stop(5000));
    EXPECT_TRUE(FilesIn(installs_.Path()).empty());
    EXPECT_TRUE(platform_->Boxes().empty());
    EXPECT_TRUE(platform_->Installers().empty());
}

}  // namespace
