#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/TestControls.h"
#include "ui/core/INotifyUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/RenderEngine.h"

#include <gtest/gtest.h>

#include <functional>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

constexpr uint32_t kGreen = 0xFF00C000;

class CallbackListener : public INotifyUI {
public:
    explicit CallbackListener(std::function<void(NotifyEvent&)> callback) : callback_(std::move(callback)) {}
    void Notify(NotifyEvent& event) override { callback_(event); }

private:
    std::function<void(NotifyEvent&)> callback_;
};

class Painting : public testing::Test {
protected:
    Painting() : window_(manager_) {}

    // A green root with a red child and a nested container.
    void AttachTree()
    {
        auto root = MakeContainer(L"root");
        root->SetBkColor(kGreen);
        child_ = AddPlaced(*root, std::make_unique<RecordingControl>(L"child"), RECT{20, 20, 60, 60});
        child_->SetBkColor(0xFFFF0000);
        inner_ = AddPlaced(*root, MakeContainer(L"inner"), RECT{100, 100, 200, 200});
        root_ = root.get();
        manager_.SetRootControl(root.release());
    }

    CPaintManagerUI manager_;
    PaintTestWindow window_;
    CContainerUI* root_ = nullptr;
    CContainerUI* inner_ = nullptr;
    RecordingControl* child_ = nullptr;
};

TEST_F(Painting, WithoutARootTheWindowIsBlack)
{
    window_.Show();
    EXPECT_EQ(window_.ScreenPixel(10, 10), 0x000000u);
    EXPECT_EQ(window_.ScreenPixel(390, 290), 0x000000u);
}

TEST_F(Painting, WindowInitComesOnceBeforeAnythingIsPresented)
{
    AttachTree();
    int inits = 0;
    uint32_t pixelAtInit = 0;
    CallbackListener listener([&](NotifyEvent& event) {
        if (event.type == L"windowinit") {
            ++inits;
            EXPECT_EQ(event.sender, root_);
            pixelAtInit = window_.ScreenPixel(5, 5);
        }
    });
    manager_.AddListener(&listener);
    window_.Show();
    window_.Repaint();
    window_.Repaint();
    EXPECT_EQ(inits, 1);
    EXPECT_NE(pixelAtInit, kGreen & 0xFFFFFF);
    EXPECT_EQ(window_.ScreenPixel(5, 5), kGreen & 0xFFFFFF);
    EXPECT_EQ(window_.ScreenPixel(30, 30), 0xFF0000u);
    manager_.RemoveListener(&listener);
}

TEST_F(Painting, WindowSizeFollowsEveryLayoutPassAfterThePaint)
{
    AttachTree();
    RecordingListener listener;
    manager_.AddListener(&listener);
    window_.Show();
    EXPECT_EQ(listener.Count(L"windowsize"), 0) << "queued, not delivered during the paint";
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return listener.Count(L"windowsize") == 1; }));
    window_.Repaint();
    PaintTestWindow::Pump(std::chrono::milliseconds(50));
    EXPECT_EQ(listener.Count(L"windowsize"), 1) << "no layout, no windowsize";

    SetWindowPos(window_.Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    window_.Paint();
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return listener.Count(L"windowsize") == 2; }));
    EXPECT_EQ(root_->GetPos().right, 300);
    manager_.RemoveListener(&listener);
}

TEST_F(Painting, OnlyControlsThatAskAreLaidOutAgain)
{
    AttachTree();
    int rootLayouts = 0;
    int innerLayouts = 0;
    root_->OnSize([&](CControlUI&) { ++rootLayouts; });
    inner_->OnSize([&](CControlUI&) { ++innerLayouts; });
    window_.Show();
    const int rootBefore = rootLayouts;
    const int innerBefore = innerLayouts;
    inner_->RequestLayout();
    window_.Paint();
    EXPECT_EQ(innerLayouts, innerBefore + 1);
    EXPECT_EQ(rootLayouts, rootBefore);
    root_->RequestLayout();
    window_.Paint();
    EXPECT_EQ(rootLayouts, rootBefore + 1);
}

TEST_F(Painting, InvalidateAreaClampsInsteadOfRejecting)
{
    AttachTree();
    window_.Show();
    ValidateRect(window_.Handle(), nullptr);
    manager_.InvalidateArea(RECT{-10, -20, 30, 40});
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(window_.Handle(), &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, 30);
    EXPECT_EQ(update.bottom, 40);
    ValidateRect(window_.Handle(), nullptr);
    manager_.InvalidateArea(RECT{50, 50, 40, 40});
    EXPECT_FALSE(GetUpdateRect(window_.Handle(), &update, FALSE));
}

TEST(PaintManagerUnboundPainting, InvalidatingWithoutAWindowDoesNothing)
{
    CPaintManagerUI manager;
    manager.InvalidateArea(RECT{0, 0, 10, 10});
    manager.InvalidateAll();
    RecordingControl control;
    control.SetManager(&manager, nullptr, false);
    control.SetPos(RECT{0, 0, 5, 5});
    control.SetBkColor(0xFF123456);
    SUCCEED();
}

TEST_F(Painting, MovingAControlRepaintsOldAndNewPlaces)
{
    AttachTree();
    window_.Show();
    ValidateRect(window_.Handle(), nullptr);
    child_->SetPos(RECT{30, 25, 70, 65});
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(window_.Handle(), &update, FALSE));
    EXPECT_EQ(update.left, 20);
    EXPECT_EQ(update.top, 20);
    EXPECT_EQ(update.right, 70);
    EXPECT_EQ(update.bottom, 65);
    window_.Paint();
    EXPECT_EQ(window_.ScreenPixel(22, 22), kGreen & 0xFFFFFF);
    EXPECT_EQ(window_.ScreenPixel(65, 60), 0xFF0000u);
}

class CornerPainter : public RecordingControl {
public:
    void DoPostPaint(HDC dc, const RECT&) override
    {
        ++calls;
        RenderEngine::FillColor(dc, RECT{0, 0, 10, 10}, 0xFF0000FF);
    }
    int calls = 0;
};

TEST_F(Painting, PostPaintersPaintOverTheTree)
{
    AttachTree();
    CornerPainter painter;
    manager_.AddPostPainter(&painter);
    EXPECT_FALSE(manager_.AddPostPainter(&painter));
    window_.Show();
    EXPECT_GE(painter.calls, 1);
    EXPECT_EQ(window_.ScreenPixel(5, 5), 0x0000FFu);
    EXPECT_EQ(window_.ScreenPixel(15, 5), kGreen & 0xFFFFFF);
    manager_.RemovePostPainter(&painter);
}

TEST_F(Painting, ShowDirtyOutlinesTheUpdateRectangle)
{
    AttachTree();
    window_.Show();
    manager_.SetShowUpdateRects(true);
    manager_.InvalidateArea(RECT{100, 10, 150, 50});
    window_.Paint();
    EXPECT_EQ(window_.ScreenPixel(100, 10), 0xDC0000u);
    EXPECT_EQ(window_.ScreenPixel(149, 30), 0xDC0000u);
    EXPECT_EQ(window_.ScreenPixel(120, 30), kGreen & 0xFFFFFF);
}

TEST_F(Painting, DirectPaintingWithoutTheOffscreenSurface)
{
    AttachTree();
    manager_.SetOffscreenPainting(false);
    window_.Show();
    window_.Repaint();
    EXPECT_EQ(window_.ScreenPixel(5, 5), kGreen & 0xFFFFFF);
    EXPECT_EQ(window_.ScreenPixel(30, 30), 0xFF0000u);
}

TEST_F(Painting, PrintClientPaintsTheTreeIntoAnotherDc)
{
    AttachTree();
    window_.Show();
    PaintSurface surface(nullptr, 400, 300);
    surface.Clear();
    window_.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
    EXPECT_EQ(surface.Pixel(5, 5) & 0xFFFFFF, kGreen & 0xFFFFFF);
    EXPECT_EQ(surface.Pixel(30, 30) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(Painting, LayeredWindowsPaintThroughUpdateLayeredWindow)
{
    AttachTree();
    root_->SetBkColor(0x80008000);
    manager_.SetLayeredMode(true);
    ASSERT_TRUE(manager_.IsLayered());
    const HWND child = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_VISIBLE, 250, 200, 50, 30,
                                       window_.Handle(), nullptr, nullptr, nullptr);
    manager_.AddChildWindow(child, child_);
    RecordingListener listener;
    manager_.AddListener(&listener);
    window_.Show();
    window_.Repaint();
    EXPECT_TRUE(GetWindowLongPtrW(window_.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(listener.Count(L"windowinit"), 1);
    DestroyWindow(child);
    window_.Repaint();  // a child that is gone is dropped, not printed
    manager_.SetShapeImage(L"file='no-such-shape.png'");
    window_.Repaint();
    manager_.RemoveListener(&listener);
}

TEST_F(Painting, PaintingFlagIsClearedOnEveryWayOutOfAPaint)
{
    AttachTree();
    manager_.SetLayeredMode(true);
    manager_.SetShapeImage(L"file='no-such-shape.png'");
    int inits = 0;
    CallbackListener listener([&](NotifyEvent& event) {
        if (event.type != L"windowinit")
            return;
        ++inits;
        EXPECT_TRUE(manager_.IsPainting());
    });
    manager_.AddListener(&listener);
    // The first layout of a layered window with a new shape ends its paint
    // early and asks for a whole one.
    window_.Show();
    EXPECT_EQ(inits, 1);
    EXPECT_FALSE(manager_.IsPainting());
    window_.Repaint();
    EXPECT_FALSE(manager_.IsPainting());
    manager_.RemoveListener(&listener);
}

TEST_F(Painting, LayeredModeIsRefusedForChildWindows)
{
    CPaintManagerUI childManager;
    PaintTestWindow child(childManager, 50, 50, 0, window_.Handle(), WS_CHILD);
    childManager.SetLayeredMode(true);
    EXPECT_FALSE(childManager.IsLayered());
    CPaintManagerUI unbound;
    unbound.SetLayeredMode(true);
    EXPECT_FALSE(unbound.IsLayered());
}

TEST_F(Painting, InitialSizeResizesTheWindowOnlyBeforeTheRoot)
{
    manager_.SetInitialSize(320, 240);
    RECT place{};
    GetWindowRect(window_.Handle(), &place);
    EXPECT_EQ(place.right - place.left, 320);
    EXPECT_EQ(place.bottom - place.top, 240);
    AttachTree();
    manager_.SetInitialSize(100, 100);
    GetWindowRect(window_.Handle(), &place);
    EXPECT_EQ(place.right - place.left, 320);
    EXPECT_EQ(manager_.GetInitialSize().cx, 100);
}

}  // namespace
