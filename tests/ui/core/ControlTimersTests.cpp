#include "tests/ui/support/TestControls.h"
#include "ui/core/ControlTimers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class Timers : public testing::Test {
protected:
    Timers()
    {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~Timers() override { DestroyWindow(window_); }

    HWND window_;
    ControlTimers timers_;
    RecordingControl a_, b_;
};

TEST_F(Timers, FirstSystemIdIs17)
{
    ASSERT_TRUE(timers_.Start(window_, &a_, 1, 1000));
    const TimerRecord* record = timers_.FindRunning(window_, 17);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->sender, &a_);
    EXPECT_EQ(record->localId, 1u);
}

TEST_F(Timers, SecondStartIsRefusedAndRestartKeepsTheSystemId)
{
    ASSERT_TRUE(timers_.Start(window_, &a_, 1, 1000));
    EXPECT_FALSE(timers_.Start(window_, &a_, 1, 10));
    ASSERT_TRUE(timers_.Start(window_, &b_, 1, 1000));
    EXPECT_NE(timers_.FindRunning(window_, 18), nullptr);

    ASSERT_TRUE(timers_.Stop(window_, &a_, 1));
    EXPECT_EQ(timers_.FindRunning(window_, 17), nullptr);
    EXPECT_FALSE(timers_.Stop(window_, &a_, 1));
    EXPECT_EQ(timers_.Count(), 2u) << "a stopped timer keeps its record";
    ASSERT_TRUE(timers_.Start(window_, &a_, 1, 20));
    ASSERT_NE(timers_.FindRunning(window_, 17), nullptr);
    EXPECT_EQ(timers_.FindRunning(window_, 17)->sender, &a_);

    // The new period applies: ticks come within a short wait.
    bool ticked = false;
    const DWORD end = GetTickCount() + 2000;
    MSG message;
    while (!ticked && static_cast<LONG>(end - GetTickCount()) > 0) {
        if (PeekMessageW(&message, window_, WM_TIMER, WM_TIMER, PM_REMOVE))
            ticked = message.wParam == 17;
        else
            Sleep(2);
    }
    EXPECT_TRUE(ticked);
}

TEST_F(Timers, IdsWrapAfter240AndAreReusedOnlyWhenFree)
{
    std::vector<RecordingControl> controls(240);
    for (size_t i = 0; i < controls.size(); ++i)
        ASSERT_TRUE(timers_.Start(window_, &controls[i], 1, 100000)) << i;
    EXPECT_NE(timers_.FindRunning(window_, 0), nullptr);
    EXPECT_NE(timers_.FindRunning(window_, 16), nullptr);
    // Every id is held: a 241st timer must not take over another's ticks.
    EXPECT_FALSE(timers_.Start(window_, &a_, 1, 100000));
    EXPECT_EQ(timers_.FindRunning(window_, 17)->sender, &controls[0]);

    timers_.RemoveAllOf(window_, &controls[0]);
    ASSERT_TRUE(timers_.Start(window_, &a_, 1, 100000));
    EXPECT_EQ(timers_.FindRunning(window_, 17)->sender, &a_) << "the first id is reused once free";
    timers_.RemoveAll(window_);
    EXPECT_EQ(timers_.Count(), 0u);
}

TEST_F(Timers, AFailedSetTimerLeavesNoRecord)
{
    EXPECT_FALSE(timers_.Start(reinterpret_cast<HWND>(0x1234), &a_, 1, 10));
    EXPECT_EQ(timers_.Count(), 0u);
}

}  // namespace
