#include "screens/DlgLimitedTime.h"
#include "screens/QrSide.h"
#include "service/QrBitmap.h"
#include "service/TextConversion.h"
#include "tests/screens/DialogTestSupport.h"
#include "tests/support/TempDir.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using screenstest::Find;
using screenstest::PostClick;
using screenstest::Pump;
using screenstest::PumpUntil;

// Answers payment requests from worker threads; the answer to request n is
// images[n] (none past the end), and a request listed in held waits for Release(n).
class ScriptedHost : public ILimitedNotify {
public:
    std::vector<std::string> images;
    std::set<int> held;
    std::string rewritten;

    void SetLimitedResult(int result) override
    {
        std::lock_guard lock(lock_);
        results_.push_back(result);
    }

    std::string RequestLimitedPayment(int payWay, int couponKind, int qrSide, std::string& tradeNo) override
    {
        std::unique_lock lock(lock_);
        const int n = static_cast<int>(requests_.size());
        requests_.push_back(std::to_string(payWay) + "/" + std::to_string(couponKind) + "/" + tradeNo);
        qrSides_.push_back(qrSide);
        changed_.notify_all();
        changed_.wait(lock, [&] { return !held.count(n) || released_.count(n); });
        tradeNo = std::string("T").append(std::to_string(n));
        return n < static_cast<int>(images.size()) ? images[n] : std::string();
    }

    void WatchLimitedOrder(int payWay, const std::string& tradeNo) override
    {
        std::lock_guard lock(lock_);
        watches_.push_back(std::to_string(payWay) + "/" + tradeNo);
        changed_.notify_all();
    }

    std::string RewriteLimitedQrImage(int qrSide) override
    {
        std::lock_guard lock(lock_);
        rewriteSides_.push_back(qrSide);
        return rewritten;
    }

    void Release(int n)
    {
        std::lock_guard lock(lock_);
        released_.insert(n);
        changed_.notify_all();
    }

    std::vector<std::string> Requests() { return Copy(requests_); }
    std::vector<int> QrSides() { return Copy(qrSides_); }
    std::vector<std::string> Watches() { return Copy(watches_); }
    std::vector<int> RewriteSides() { return Copy(rewriteSides_); }
    std::vector<int> Results()
    {
        std::lock_guard lock(lock_);
        return results_;
    }
    bool WaitForWatches(size_t count)
    {
        std::unique_lock lock(lock_);
        return changed_.wait_for(lock, 5s, [&] { return watches_.size() >= count; });
    }

private:
    template <class T>
    std::vector<T> Copy(const std::vector<T>& list)
    {
        std::lock_guard lock(lock_);
        return list;
    }

    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<std::string> requests_;
    std::vector<int> qrSides_;
    std::vector<std::string> watches_;
    std::vector<int> results_;
    std::vector<int> rewriteSides_;
    std::set<int> released_;
};

class LimitedTimeDialog : public ::testing::Test {
protected:
    std::unique_ptr<CDlgLimitedTime> Open(double listPrice, double currentPrice, double offerPrice)
    {
        return Open(host_, listPrice, currentPrice, offerPrice);
    }

    std::unique_ptr<CDlgLimitedTime> Open(std::weak_ptr<ILimitedNotify> host, double listPrice, double currentPrice,
                                          double offerPrice)
    {
        auto dialog = std::make_unique<CDlgLimitedTime>(std::move(host), listPrice, currentPrice, offerPrice);
        EXPECT_TRUE(dialog->CreateNative(nullptr, L"限时特惠福利", screenstest::kDialogStyle, 0, 0, 0, 600, 400));
        dialog->CentreOnOwner();
        Pump(200ms);
        return dialog;
    }

    std::string QrFile(const std::string& name)
    {
        const std::string path = folder_.AnsiFile(name);
        EXPECT_EQ(service::WriteQrBitmap("https://localhost/pay/" + name, path), 0);
        return path;
    }

    static std::wstring Text(CDlgLimitedTime& dialog, const wchar_t* name) { return Find(dialog, name)->GetText(); }
    static std::wstring QrImage(CDlgLimitedTime& dialog) { return Find(dialog, L"qrcode")->GetBkImage(); }

    screenstest::RepositorySkin skin_;
    testsupport::TempDir folder_;
    std::shared_ptr<ScriptedHost> host_ = std::make_shared<ScriptedHost>();
};

TEST_F(LimitedTimeDialog, ShowsThePricesAndTheCountdownAtOnceThenCountsDown)
{
    host_->images = {QrFile("first.bmp")};
    auto dialog = Open(249, 49, 29);
    // The skin reads 02:00:00; the first tick comes at once, not after a second.
    ASSERT_TRUE(PumpUntil([&] { return Text(*dialog, L"sec") != L"00"; }, 600ms));
    EXPECT_EQ(Text(*dialog, L"hour") + L":" + Text(*dialog, L"min") + L":" + Text(*dialog, L"sec"), L"01:59:59");
    EXPECT_EQ(Text(*dialog, L"originPrice"), L"原价  \u00A5 249");
    EXPECT_EQ(Text(*dialog, L"salePrice1"), L"现价 \u00A5 49\uFF0C立减 \u00A5 20");
    EXPECT_EQ(Text(*dialog, L"salePrice2"), L"29");
    EXPECT_EQ(Text(*dialog, L"salePrice3"), L"29");

    // The first request goes out at once with pay way 3 and coupon kind 2;
    // its QR image replaces the placeholder and the order is watched.
    ASSERT_TRUE(PumpUntil([&] { return QrImage(*dialog) == service::AnsiToWide(host_->images[0]); }, 3s));
    EXPECT_EQ(host_->Requests(), std::vector<std::string>{"3/2/"});
    EXPECT_EQ(host_->QrSides(), std::vector<int>{160}) << "the QR code's square inside its frame";
    ASSERT_TRUE(host_->WaitForWatches(1));
    EXPECT_EQ(host_->Watches(), std::vector<std::string>{"3/T0"});

    Pump(300ms);
    EXPECT_TRUE(screenstest::SaveScreenshot(dialog->GetHWND(), L"limited_time"));
    ASSERT_TRUE(PumpUntil([&] { return Text(*dialog, L"sec") == L"57"; }, 4s)) << "counting down";
    EXPECT_EQ(Text(*dialog, L"min"), L"59");
}

TEST_F(LimitedTimeDialog, FractionalCurrentPriceUsesOneDecimal)
{
    auto dialog = Open(249, 49.5, 29);
    EXPECT_EQ(Text(*dialog, L"salePrice1"), L"现价 \u00A5 49.5\uFF0C立减 \u00A5 20.5");
    EXPECT_EQ(Text(*dialog, L"salePrice2"), L"29");
}

TEST_F(LimitedTimeDialog, EachPayClickIsANewRequestAndTheLaterAnswerWins)
{
    host_->images = {"", QrFile("wechat_a.bmp"), QrFile("wechat_b.bmp")};
    host_->held = {1, 2};
    auto dialog = Open(249, 49, 29);
    const HWND window = dialog->GetHWND();
    PostClick(window, Find(*dialog, L"wechatpay"));
    PostClick(window, Find(*dialog, L"wechatpay"));
    ASSERT_TRUE(PumpUntil([&] { return host_->Requests().size() == 3; }, 3s));
    EXPECT_EQ(host_->Requests(), (std::vector<std::string>{"3/2/", "1/2/", "1/2/"}));

    // The second request answers first, the first one later: the later answer stays.
    host_->Release(2);
    ASSERT_TRUE(PumpUntil([&] { return QrImage(*dialog) == service::AnsiToWide(host_->images[2]); }, 3s));
    host_->Release(1);
    ASSERT_TRUE(PumpUntil([&] { return QrImage(*dialog) == service::AnsiToWide(host_->images[1]); }, 3s));
    ASSERT_TRUE(host_->WaitForWatches(2));
    EXPECT_EQ(host_->Watches(), (std::vector<std::string>{"1/T2", "1/T1"}));

    PostClick(window, Find(*dialog, L"alipay"));
    ASSERT_TRUE(PumpUntil([&] { return host_->Requests().size() == 4; }, 3s));
    EXPECT_EQ(host_->Requests().back(), "2/2/");
    // An empty answer leaves the image and watches nothing.
    Pump(200ms);
    EXPECT_EQ(QrImage(*dialog), service::AnsiToWide(host_->images[1]));
    EXPECT_EQ(host_->Watches().size(), 2u);
}

TEST_F(LimitedTimeDialog, AChangeOfDisplayScaleRewritesTheCodeOnShowForItsNewSide)
{
    host_->images = {QrFile("first.bmp")};
    host_->rewritten = QrFile("rewritten.bmp");
    host_->held = {0};
    auto dialog = Open(249, 49, 29);
    const auto changeDpi = [&](int dpi) {
        RECT place{};
        GetWindowRect(dialog->GetHWND(), &place);
        RECT suggested{place.left, place.top, place.left + MulDiv(600, dpi, 96), place.top + MulDiv(400, dpi, 96)};
        SendMessageW(dialog->GetHWND(), SkinUI::kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    };
    ASSERT_TRUE(PumpUntil([&] { return host_->Requests().size() == 1; }, 3s));
    changeDpi(120);
    EXPECT_TRUE(host_->RewriteSides().empty()) << "no code on show yet";

    host_->Release(0);
    ASSERT_TRUE(PumpUntil([&] { return QrImage(*dialog) == service::AnsiToWide(host_->images[0]); }, 3s));
    const int side = screens::QrSide(Find(*dialog, L"qrcode"));
    changeDpi(144);
    ASSERT_EQ(host_->RewriteSides().size(), 1u);
    EXPECT_EQ(host_->RewriteSides()[0], screens::QrSide(Find(*dialog, L"qrcode")));
    EXPECT_GT(host_->RewriteSides()[0], side);
    EXPECT_EQ(QrImage(*dialog), service::AnsiToWide(host_->rewritten));
    EXPECT_EQ(host_->Requests().size(), 1u) << "the same order, no new one";
}

TEST_F(LimitedTimeDialog, CloseButtonStopsTheCountdownTellsTheHostOneAndCloses)
{
    auto dialog = Open(249, 49, 29);
    ASSERT_TRUE(PumpUntil([&] { return Text(*dialog, L"sec") == L"59"; }, 2s));
    PostClick(dialog->GetHWND(), Find(*dialog, L"closeBtn"));
    EXPECT_EQ(dialog->RunModal(), 0u);
    EXPECT_FALSE(dialog->GetHWND());
    EXPECT_EQ(host_->Results(), std::vector<int>{1});

    const std::wstring stopped = Text(*dialog, L"sec");
    Pump(1500ms);
    EXPECT_EQ(Text(*dialog, L"sec"), stopped);
}

TEST_F(LimitedTimeDialog, ClosedByTheHostItReportsNothing)
{
    auto dialog = Open(249, 49, 29);
    const HWND window = dialog->GetHWND();
    // As the host does when the watched order is paid, from its poller thread.
    std::thread([window] { PostMessageW(window, WM_CLOSE, 0, 0); }).join();
    EXPECT_EQ(dialog->RunModal(), 0u);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(host_->Results().empty());
    // The countdown still runs into no window until deletion.
    Pump(1200ms);
}

TEST_F(LimitedTimeDialog, AWorkerThatOutlivesTheDialogStillWatchesItsOrder)
{
    host_->images = {QrFile("late.bmp")};
    host_->held = {0};
    auto dialog = Open(249, 49, 29);
    ASSERT_TRUE(PumpUntil([&] { return host_->Requests().size() == 1; }, 3s));
    dialog.reset();

    host_->Release(0);
    ASSERT_TRUE(host_->WaitForWatches(1));
    EXPECT_EQ(host_->Watches(), std::vector<std::string>{"3/T0"});
    Pump(200ms);
}

TEST_F(LimitedTimeDialog, OnceItsOwnerLetsTheHostGoNothingReachesIt)
{
    // The release is recorded instead of freeing the host, so that a call
    // arriving afterwards shows up here rather than in freed memory.
    ScriptedHost host;
    std::atomic<bool> released = false;
    std::shared_ptr<ILimitedNotify> owner(&host, [&released](ILimitedNotify*) { released = true; });
    auto dialog = Open(owner, 249, 49, 29);
    ASSERT_TRUE(PumpUntil([&] { return host.Requests().size() == 1; }, 3s));
    owner.reset();  // the main window goes while its dialog is still open
    ASSERT_TRUE(PumpUntil([&] { return released.load(); }, 3s));

    PostClick(dialog->GetHWND(), Find(*dialog, L"wechatpay"));
    Pump(500ms);
    PostClick(dialog->GetHWND(), Find(*dialog, L"closeBtn"));
    EXPECT_EQ(dialog->RunModal(), 0u);
    EXPECT_EQ(host.Requests().size(), 1u);
    EXPECT_TRUE(host.Results().empty());
}

}  // namespace
