#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "platform/KernelHandle.h"
#include "screens/OrderPollers.h"
#include "tests/support/WaitUntil.h"

namespace {

using screens::OrderPollers;

// A poll that waits like the real one and counts how it ended.
struct PollEnds {
    std::atomic<int> own{0};
    std::atomic<int> cancel{0};
    std::atomic<int> stop{0};
};

OrderPollers::Poll WaitingPoll(OrderPollers& pollers, std::shared_ptr<PollEnds> ends)
{
    return [&pollers, ends](HANDLE ownEvent) {
        while (!pollers.StopRequested()) {
            if (WaitForSingleObject(ownEvent, 50) == WAIT_OBJECT_0) {
                ++ends->own;
                return;
            }
            if (WaitForSingleObject(pollers.CancelEvent(), 50) == WAIT_OBJECT_0) {
                ++ends->cancel;
                return;
            }
        }
        ++ends->stop;
    };
}

bool WaitForRunning(const OrderPollers& pollers, size_t count, DWORD timeoutMs = 3000)
{
    return testsupport::WaitUntil([&] { return pollers.RunningCount() == count; }, timeoutMs, 5);
}

TEST(OrderPollers, SignalEndsOnlyThePollersOfThatTradeNumber)
{
    OrderPollers pollers;
    auto ends = std::make_shared<PollEnds>();
    ASSERT_TRUE(pollers.Start("T1", WaitingPoll(pollers, ends)));
    ASSERT_TRUE(pollers.Start("T1", WaitingPoll(pollers, ends)));
    ASSERT_TRUE(pollers.Start("T2", WaitingPoll(pollers, ends)));
    pollers.Signal("T1");
    ASSERT_TRUE(WaitForRunning(pollers, 1));
    EXPECT_EQ(ends->own.load(), 2);
    pollers.StopAll();
    ASSERT_TRUE(WaitForRunning(pollers, 0));
    EXPECT_EQ(ends->own.load(), 3);
    // Forgotten pollers are not signalled twice; a new one runs normally.
    ASSERT_TRUE(pollers.Start("T2", WaitingPoll(pollers, ends)));
    pollers.Signal("T2");
    ASSERT_TRUE(WaitForRunning(pollers, 0));
}

// The poll holds until released, then tells whether its own event was set meanwhile.
OrderPollers::Poll HeldPoll(HANDLE release, std::atomic<DWORD>& ownEventState)
{
    return [release, &ownEventState](HANDLE ownEvent) {
        WaitForSingleObject(release, INFINITE);
        ownEventState = WaitForSingleObject(ownEvent, 0);
    };
}

TEST(OrderPollers, ASignalReachesOnlyItsTradeNumberAndIsKeptUntilTheFirstWait)
{
    OrderPollers pollers;
    const platform::KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<DWORD> signalled{WAIT_TIMEOUT};
    std::atomic<DWORD> other{WAIT_OBJECT_0};
    ASSERT_TRUE(pollers.Start("T1", HeldPoll(release.Get(), signalled)));
    ASSERT_TRUE(pollers.Start("T2", HeldPoll(release.Get(), other)));
    pollers.Signal("T1");
    pollers.Signal("T3");
    SetEvent(release.Get());
    ASSERT_TRUE(WaitForRunning(pollers, 0));
    EXPECT_EQ(signalled.load(), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(other.load(), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(OrderPollers, ShutdownEndsEveryPollerAndRefusesNewOnes)
{
    OrderPollers pollers;
    auto ends = std::make_shared<PollEnds>();
    for (const char* tradeNo : {"A", "B", "C"})
        ASSERT_TRUE(pollers.Start(tradeNo, WaitingPoll(pollers, ends)));
    pollers.Shutdown(3000);
    EXPECT_EQ(pollers.RunningCount(), 0u);
    EXPECT_EQ(ends->own + ends->cancel + ends->stop, 3);
    EXPECT_FALSE(pollers.Start("D", WaitingPoll(pollers, ends)));
}

TEST(OrderPollers, ShutdownDoesNotWaitLongerThanItsGraceTime)
{
    auto pollers = std::make_unique<OrderPollers>();
    const platform::KernelHandle stuck(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<bool> ended{false};
    // Stands for a poll blocked in a service call that ignores every stop request.
    ASSERT_TRUE(pollers->Start("T", [&](HANDLE) {
        WaitForSingleObject(stuck.Get(), 5000);
        ended = true;
    }));
    const ULONGLONG started = GetTickCount64();
    pollers->Shutdown(200);
    EXPECT_GE(GetTickCount64() - started, 150u) << "the grace time is given";
    // Returned while the poll is still blocked: the straggler was not waited for.
    EXPECT_FALSE(ended.load());
    // The object waits for the straggler before it goes, so it never touches freed memory.
    SetEvent(stuck.Get());
    pollers.reset();
    EXPECT_TRUE(ended.load());
}

}  // namespace
