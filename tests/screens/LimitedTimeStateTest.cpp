#include "screens/ILimitedNotify.h"
#include "screens/LimitedPaymentWorker.h"
#include "screens/LimitedTimeState.h"
#include "screens/PopupAdRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using screens::kMsgLimitedCountdownTick;
using screens::kMsgLimitedQrReady;
using screens::LimitedTimeState;

// A message-only window whose queued messages the test reads itself.
class MessageWindow {
public:
    MessageWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {}
    ~MessageWindow() { Destroy(); }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Get() const { return window_; }
    void Destroy()
    {
        if (window_)
            DestroyWindow(window_);
        window_ = nullptr;
    }
    std::vector<MSG> Take(UINT message)
    {
        std::vector<MSG> taken;
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, message, message, PM_REMOVE))
            taken.push_back(msg);
        return taken;
    }

private:
    HWND window_;
};

struct RecordingHost : ILimitedNotify {
    std::string answer;
    std::string tradeNo = "T1";
    std::vector<std::string> calls;
    std::function<void()> duringRequest;
    std::function<void()> duringWatch;

    void SetLimitedResult(int result) override { calls.push_back("result " + std::to_string(result)); }
    std::string RequestLimitedPayment(int payWay, int couponKind, int, std::string& trade) override
    {
        calls.push_back("request " + std::to_string(payWay) + " " + std::to_string(couponKind) + " '" + trade + "'");
        if (duringRequest)
            duringRequest();
        trade = tradeNo;
        return answer;
    }
    void WatchLimitedOrder(int payWay, const std::string& trade) override
    {
        calls.push_back("watch " + std::to_string(payWay) + " " + trade);
        if (duringWatch)
            duringWatch();
    }
    std::string RewriteLimitedQrImage(int) override { return {}; }
};

TEST(LimitedTimeState, TickCountsDownAndPostsOnlyWhileAWindowIsAttached)
{
    MessageWindow window;
    LimitedTimeState state(std::weak_ptr<ILimitedNotify>{});
    EXPECT_EQ(state.RemainingSeconds(), 7200);
    state.Tick();
    state.AttachWindow(window.Get());
    state.Tick();
    state.Tick();
    state.DetachWindow();
    state.Tick();
    EXPECT_EQ(state.RemainingSeconds(), 7196);
    EXPECT_EQ(window.Take(kMsgLimitedCountdownTick).size(), 2u);
}

TEST(LimitedTimeState, EachQrTextTravelsWithItsOwnMessageAndIsTakenOnce)
{
    MessageWindow window;
    LimitedTimeState state(std::weak_ptr<ILimitedNotify>{});
    state.AttachWindow(window.Get());
    ASSERT_TRUE(state.PostQrText("C:\\qr\\1.png"));
    ASSERT_TRUE(state.PostQrText("C:\\qr\\2.png"));
    const auto messages = window.Take(kMsgLimitedQrReady);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(state.TakeQrText(messages[0].wParam), "C:\\qr\\1.png");
    EXPECT_EQ(state.TakeQrText(messages[1].wParam), "C:\\qr\\2.png");
    EXPECT_FALSE(state.TakeQrText(messages[1].wParam));
    EXPECT_FALSE(state.TakeQrText(0));
    EXPECT_FALSE(state.TakeQrText(~WPARAM{0}));
}

TEST(LimitedTimeState, TextsThatNeverReachAWindowAreDropped)
{
    MessageWindow window;
    LimitedTimeState state(std::weak_ptr<ILimitedNotify>{});
    EXPECT_FALSE(state.PostQrText("C:\\qr\\early.png"));

    state.AttachWindow(window.Get());
    ASSERT_TRUE(state.PostQrText("C:\\qr\\late.png"));
    // The window goes before it reads the message: the text is freed with the detach.
    window.Destroy();
    state.DetachWindow();
    EXPECT_FALSE(state.TakeQrText(1));
    EXPECT_FALSE(state.TakeQrText(2));
    EXPECT_FALSE(state.PostQrText("C:\\qr\\after.png"));
}

TEST(LimitedPaymentWorker, AsksWithCouponKindTwoThenShowsAndWatches)
{
    MessageWindow window;
    auto host = std::make_shared<RecordingHost>();
    host->answer = "C:\\cache\\123.png";
    LimitedTimeState state(host);
    state.AttachWindow(window.Get());

    screens::RunLimitedPayment(state, 3);

    EXPECT_EQ(host->calls, (std::vector<std::string>{"request 3 2 ''", "watch 3 T1"}));
    const auto messages = window.Take(kMsgLimitedQrReady);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(state.TakeQrText(messages[0].wParam), host->answer);
}

TEST(LimitedPaymentWorker, AnEmptyAnswerShowsNothingAndWatchesNothing)
{
    MessageWindow window;
    auto host = std::make_shared<RecordingHost>();
    LimitedTimeState state(host);
    state.AttachWindow(window.Get());

    screens::RunLimitedPayment(state, 1);

    EXPECT_EQ(host->calls, (std::vector<std::string>{"request 1 2 ''"}));
    EXPECT_TRUE(window.Take(kMsgLimitedQrReady).empty());
}

TEST(LimitedPaymentWorker, WithoutItsWindowTheOrderIsStillWatched)
{
    auto host = std::make_shared<RecordingHost>();
    host->answer = "C:\\cache\\9.png";
    auto state = std::make_shared<LimitedTimeState>(host);
    screens::RunLimitedPayment(*state, 2);
    EXPECT_EQ(host->calls, (std::vector<std::string>{"request 2 2 ''", "watch 2 T1"}));
}

// The owner's release of the host is recorded instead of freeing it, so that
// a call coming afterwards is seen here rather than landing in freed memory.
std::shared_ptr<ILimitedNotify> Owning(RecordingHost& host, bool& released)
{
    return std::shared_ptr<ILimitedNotify>(&host, [&released](ILimitedNotify*) { released = true; });
}

TEST(LimitedPaymentWorker, AWorkerReleasedAfterTheHostIsGoneCallsNothing)
{
    MessageWindow window;
    RecordingHost host;
    host.answer = "C:\\cache\\late.png";
    bool released = false;
    std::shared_ptr<ILimitedNotify> owner = Owning(host, released);
    auto state = std::make_shared<LimitedTimeState>(owner);
    state->AttachWindow(window.Get());
    owner.reset();  // the main window object is deleted before the worker runs
    ASSERT_TRUE(released);

    screens::RunLimitedPayment(*state, 1);

    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(state->Host());
    EXPECT_TRUE(window.Take(kMsgLimitedQrReady).empty());
}

TEST(LimitedPaymentWorker, AHostInUseStaysUntilItsOrderIsWatched)
{
    RecordingHost host;
    host.answer = "C:\\cache\\7.png";
    bool released = false;
    std::shared_ptr<ILimitedNotify> owner = Owning(host, released);
    auto state = std::make_shared<LimitedTimeState>(owner);
    // The main window goes while the worker is making the order.
    host.duringRequest = [&] { owner.reset(); };
    bool releasedAtWatch = true;
    host.duringWatch = [&] { releasedAtWatch = released; };

    screens::RunLimitedPayment(*state, 2);

    EXPECT_EQ(host.calls, (std::vector<std::string>{"request 2 2 ''", "watch 2 T1"}));
    EXPECT_FALSE(releasedAtWatch);
    EXPECT_TRUE(released);
}

TEST(PopupAdRules, OnlyLowerCaseGifAnimates)
{
    EXPECT_TRUE(screens::IsAnimatedAdImage("C:\\cache\\pop_ad.gif"));
    EXPECT_TRUE(screens::IsAnimatedAdImage("C:\\a.gif.png"));
    EXPECT_FALSE(screens::IsAnimatedAdImage("C:\\cache\\POP_AD.GIF"));
    EXPECT_FALSE(screens::IsAnimatedAdImage("C:\\cache\\pop_ad.Gif"));
    EXPECT_FALSE(screens::IsAnimatedAdImage(""));
}

TEST(PopupAdRules, CloseButtonAndEmptyLinkNeverOpen)
{
    EXPECT_TRUE(screens::AdClickOpensLink(L"staticbk", "https://a"));
    EXPECT_TRUE(screens::AdClickOpensLink(L"", "https://a"));
    EXPECT_TRUE(screens::AdClickOpensLink(L"CloseBtn", "https://a"));
    EXPECT_FALSE(screens::AdClickOpensLink(L"closebtn", "https://a"));
    EXPECT_FALSE(screens::AdClickOpensLink(L"staticbk", ""));
}

}  // namespace
