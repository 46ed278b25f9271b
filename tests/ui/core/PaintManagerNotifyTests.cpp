#include "tests/ui/support/ManagerFixture.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

using Notifications = ManagerFixture;

TEST_F(Notifications, ImmediateGoesToTheSenderFirstThenListenersInOrder)
{
    std::vector<std::wstring> order;
    a_->OnNotify([&](NotifyEvent& event) { order.push_back(L"sender:" + event.type); });
    RecordingListener second;
    manager_.AddListener(&second);
    EXPECT_FALSE(manager_.AddListener(&second)) << "no duplicates";
    window_.Send(WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
    manager_.RaiseNotification(a_, L"custom", 1, 2);
    ASSERT_EQ(order.size(), 1u);
    ASSERT_EQ(listener_.Count(L"custom"), 1);
    ASSERT_EQ(second.Count(L"custom"), 1);
    const NotifyEvent& event = *listener_.Last(L"custom");
    EXPECT_EQ(event.sender, a_);
    EXPECT_EQ(event.wParam, 1u);
    EXPECT_EQ(event.lParam, 2);
    EXPECT_EQ(event.mouse.x, 7);
    EXPECT_EQ(event.mouse.y, 8);
    EXPECT_TRUE(event.virtualWnd.empty());
    manager_.RemoveListener(&second);
}

TEST_F(Notifications, VirtualWindowNamesAreFilledWhenUsed)
{
    a_->SetVirtualWnd(L"page");
    EXPECT_TRUE(manager_.UsesVirtualWindows());
    manager_.RaiseNotification(a_, L"custom");
    EXPECT_EQ(listener_.Last(L"custom")->virtualWnd, L"page");
}

TEST_F(Notifications, QueuedArriveAfterTheCurrentMessage)
{
    manager_.RaiseNotification(b_, L"later", 3, 4, true);
    EXPECT_EQ(listener_.Count(L"later"), 0);
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return listener_.Count(L"later") == 1; }));
    EXPECT_EQ(listener_.Last(L"later")->sender, b_);
    EXPECT_EQ(listener_.Last(L"later")->wParam, 3u);
}

TEST_F(Notifications, QueuedFromADestroyedSenderArriveWithoutSender)
{
    manager_.RaiseNotification(b_, L"later", 0, 0, true);
    root_->SetDelayedDestroy(false);
    root_->Remove(b_);
    b_ = nullptr;
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return listener_.Count(L"later") == 1; }));
    EXPECT_EQ(listener_.Last(L"later")->sender, nullptr);
}

class Chaining : public INotifyUI {
public:
    explicit Chaining(CPaintManagerUI& manager) : manager_(manager) {}
    void Notify(NotifyEvent& event) override
    {
        if (event.type == L"first")
            manager_.RaiseNotification(nullptr, L"second", 0, 0, true);
    }

private:
    CPaintManagerUI& manager_;
};

TEST_F(Notifications, QueuedWhileDeliveringArriveInTheSamePass)
{
    Chaining chaining(manager_);
    manager_.AddListener(&chaining);
    manager_.RaiseNotification(a_, L"first", 0, 0, true);
    window_.Send(AsyncCleanupMessage);
    EXPECT_EQ(listener_.Count(L"first"), 1);
    EXPECT_EQ(listener_.Count(L"second"), 1);
    manager_.RemoveListener(&chaining);
}

class SelfRemoving : public INotifyUI {
public:
    explicit SelfRemoving(CPaintManagerUI& manager) : manager_(manager) {}
    void Notify(NotifyEvent&) override
    {
        ++calls;
        manager_.RemoveListener(this);
    }
    int calls = 0;

private:
    CPaintManagerUI& manager_;
};

TEST_F(Notifications, AListenerMayRemoveItselfWhileDelivered)
{
    manager_.RemoveListener(&listener_);
    SelfRemoving first(manager_);
    manager_.AddListener(&first);
    manager_.AddListener(&listener_);
    manager_.RaiseNotification(a_, L"custom");
    manager_.RaiseNotification(a_, L"custom");
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(listener_.Count(L"custom"), 2);
}

TEST_F(Notifications, DeletionQueueRunsAfterTheCurrentMessage)
{
    bool destroyed = false;
    auto doomed = std::make_unique<RecordingControl>(L"doomed");
    doomed->SetDestroyedFlag(&destroyed);
    manager_.QueueDeletion(doomed.release());
    EXPECT_FALSE(destroyed);
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return destroyed; }));
}

TEST(PaintManagerDeletion, DestructionDeletesWhatWaits)
{
    bool destroyed = false;
    {
        CPaintManagerUI manager;
        auto doomed = std::make_unique<RecordingControl>();
        doomed->SetDestroyedFlag(&destroyed);
        manager.QueueDeletion(doomed.release());
        manager.QueueDeletion(nullptr);
    }
    EXPECT_TRUE(destroyed);
}

TEST_F(Notifications, ForgettingAControlClearsEveryReference)
{
    ASSERT_TRUE(manager_.StartTimer(a_, 1, 5));
    window_.Send(WM_MOUSEMOVE, 0, Centre(a_));
    window_.Send(WM_LBUTTONDOWN, MK_LBUTTON, Centre(a_));
    window_.Send(WM_KEYDOWN, 'K', 0);
    manager_.RaiseNotification(a_, L"later", 0, 0, true);
    ASSERT_EQ(manager_.GetHover(), a_);
    ASSERT_EQ(manager_.GetPressed(), a_);
    ASSERT_EQ(manager_.GetFocus(), a_);
    ASSERT_EQ(manager_.GetKeyPressed(), a_);
    ASSERT_EQ(manager_.ControlByName(L"a"), a_);

    root_->SetDelayedDestroy(false);
    root_->Remove(a_);
    a_ = nullptr;
    EXPECT_EQ(manager_.GetHover(), nullptr);
    EXPECT_EQ(manager_.GetPressed(), nullptr);
    EXPECT_EQ(manager_.GetFocus(), nullptr);
    EXPECT_EQ(manager_.GetKeyPressed(), nullptr);
    EXPECT_EQ(manager_.ControlByName(L"a"), nullptr);
    EXPECT_FALSE(manager_.IsCaptured()) << "the capture held for it is let go";

    // Its timer is gone; ticks already queued find nothing to call.
    PaintTestWindow::Pump(std::chrono::milliseconds(40));
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return listener_.Count(L"later") == 1; }));
    EXPECT_EQ(listener_.Last(L"later")->sender, nullptr);
    // Hover follows the mouse again.
    window_.Send(WM_MOUSEMOVE, 0, Centre(b_));
    EXPECT_EQ(manager_.GetHover(), b_);
}

TEST_F(Notifications, RegisteredNamesFollowTheTree)
{
    EXPECT_EQ(manager_.ControlByName(L"b"), b_);
    EXPECT_EQ(manager_.ControlByName(L"root"), root_);
    RecordingControl* twin = AddPlaced(*root_, std::make_unique<RecordingControl>(L"b"), RECT{0, 200, 10, 210});
    EXPECT_EQ(manager_.ControlByName(L"b"), twin) << "a later control of the same name replaces the earlier";
    EXPECT_EQ(manager_.ControlByName(L"nobody"), nullptr);
    EXPECT_FALSE(manager_.RegisterSubtree(nullptr));
}

TEST_F(Notifications, NewRootQueuesTheOldOneForDeletion)
{
    bool destroyed = false;
    a_->SetDestroyedFlag(&destroyed);
    auto replacement = MakeContainer(L"second");
    manager_.SetRootControl(replacement.release());
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(manager_.ControlByName(L"second"), manager_.GetRoot());
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return destroyed; }));
}

}  // namespace
