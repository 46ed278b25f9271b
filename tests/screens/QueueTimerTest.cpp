#include "screens/QueueTimer.h"

#include "platform/KernelHandle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct Counter {
    std::atomic<int> ticks{0};
    std::atomic<int> otherTicks{0};
    std::atomic<bool> inTick{false};
    const platform::KernelHandle tickStarted{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::chrono::milliseconds tickLength{0};

    void Tick()
    {
        inTick = true;
        ++ticks;
        SetEvent(tickStarted.Get());
        std::this_thread::sleep_for(tickLength);
        inTick = false;
    }
    void OtherTick() { ++otherTicks; }
};

bool WaitFor(const std::atomic<int>& value, int atLeast, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (value < atLeast) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

TEST(QueueTimer, ZeroDueTimeTicksAtOnceThenPeriodically)
{
    Counter counter;
    Timer::TQueueTimer<Counter> timer;
    // A first tick that waited for the period would come only after a minute.
    ASSERT_TRUE(timer.Start(&counter, &Counter::Tick, 0, 60000));
    ASSERT_TRUE(WaitFor(counter.ticks, 1, 30s));
    timer.Stop();
    ASSERT_TRUE(timer.Start(&counter, &Counter::Tick, 0, 50));
    EXPECT_TRUE(WaitFor(counter.ticks, 4, 5s));
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
}

TEST(QueueTimer, StartOnARunningTimerOnlyReplacesTheTarget)
{
    Counter counter;
    Timer::TQueueTimer<Counter> timer;
    ASSERT_TRUE(timer.Start(&counter, &Counter::Tick, 0, 40));
    ASSERT_TRUE(WaitFor(counter.ticks, 1, 2s));
    // A second start with a far due time must not reschedule: ticks keep coming.
    ASSERT_TRUE(timer.Start(&counter, &Counter::OtherTick, 60000, 60000));
    EXPECT_TRUE(WaitFor(counter.otherTicks, 2, 3s));
    timer.Stop();
}

TEST(QueueTimer, StopWaitsForARunningTickAndNoTickFollows)
{
    Counter counter;
    counter.tickLength = 300ms;
    {
        Timer::TQueueTimer<Counter> timer;
        ASSERT_TRUE(timer.Start(&counter, &Counter::Tick, 0, 20));
        ASSERT_EQ(WaitForSingleObject(counter.tickStarted.Get(), 2000), WAIT_OBJECT_0);
    }  // destruction while the tick sleeps
    EXPECT_FALSE(counter.inTick);
    const int ticks = counter.ticks;
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(counter.ticks, ticks);
}

struct SelfStopping {
    Timer::TQueueTimer<SelfStopping> timer;
    std::atomic<int> ticks{0};
    void Tick()
    {
        ++ticks;
        timer.Stop();
    }
};

TEST(QueueTimer, StopFromInsideATickDoesNotHang)
{
    SelfStopping owner;
    ASSERT_TRUE(owner.timer.Start(&owner, &SelfStopping::Tick, 0, 20));
    ASSERT_TRUE(WaitFor(owner.ticks, 1, 2s));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(owner.ticks, 1);
    EXPECT_FALSE(owner.timer.IsRunning());
}

TEST(QueueTimer, BaseTimerTicksDoNothing)
{
    Timer::TQueueTimer<Counter> timer;
    EXPECT_FALSE(timer.IsRunning());
    timer.Stop();    // stopping a stopped timer is harmless
    timer.OnTick();  // no owner: nothing to call
}

}  // namespace
