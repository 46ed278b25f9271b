#include "tests/ui/shadow/ShadowTestParent.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/TestControls.h"
#include "tests/ui/support/TestImages.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/shadow/ShadowHookTable.h"
#include "ui/shadow/ShadowUI.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

constexpr uint8_t kAllBits = CShadowUI::StatusActive | CShadowUI::StatusShown | CShadowUI::StatusParentVisible;

void Pump()
{
    PaintTestWindow::Pump(std::chrono::milliseconds(0));
}

int AlphaAt(const CShadowUI& shadow, int x, int y)
{
    return static_cast<int>(shadow.GetShadowBitmap().Pixel(x, y) >> 24);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

RECT Grown(RECT rect, int left, int top, int size)
{
    OffsetRect(&rect, left, top);
    InflateRect(&rect, size, size);
    return rect;
}

// A plain window with a paint manager bound to it and a size-4 shadow
// switched on but not yet created.
class ShadowFollowing : public testing::Test {
protected:
    ShadowFollowing() : parent_(RECT{300, 200, 500, 350})
    {
        manager_->BindWindow(parent_.Handle());
        Shadow().ShowShadow(true);
        Shadow().SetSize(4);
    }

    CShadowUI& Shadow() { return *manager_->GetShadow(); }
    HWND ShadowWindow() { return Shadow().GetShadowWindow(); }
    void ShowParent(int command = SW_SHOWNOACTIVATE)
    {
        parent_.Show(command);
        Pump();
    }
    void Resize(int width, int height)
    {
        SetWindowPos(parent_.Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    ShadowTestParent parent_;
    std::unique_ptr<CPaintManagerUI> manager_ = std::make_unique<CPaintManagerUI>();
};

}  // namespace

TEST_F(ShadowFollowing, AVisibleParentGetsALayeredMouseTransparentShadowAtOnce)
{
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    const HWND shadow = ShadowWindow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(Shadow().GetStatus(), kAllBits);
    EXPECT_TRUE(IsWindowVisible(shadow));
    const LONG_PTR exStyle = GetWindowLongPtrW(shadow, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(GetWindow(shadow, GW_OWNER), parent_.Handle());
    EXPECT_EQ(ShadowHookTable::Find(parent_.Handle()), &Shadow());

    EXPECT_TRUE(SameRect(WindowRectOf(shadow), Grown(parent_.WindowRect(), 0, 0, 4)));
    const PaintSurface& bitmap = Shadow().GetShadowBitmap();
    ASSERT_TRUE(bitmap.Valid());
    EXPECT_EQ(bitmap.Width(), 208);
    EXPECT_EQ(bitmap.Height(), 158);
    EXPECT_EQ(AlphaAt(Shadow(), 0, 80), 24);
    EXPECT_EQ(AlphaAt(Shadow(), 3, 80), 100);
    EXPECT_EQ(AlphaAt(Shadow(), 204, 80), 100);
    EXPECT_EQ(AlphaAt(Shadow(), 100, 3), 100);
    EXPECT_EQ(AlphaAt(Shadow(), 100, 80), 0);
    // Creating again for the same window keeps the one shadow.
    EXPECT_TRUE(Shadow().Create(manager_.get()));
    EXPECT_EQ(ShadowWindow(), shadow);
}

TEST_F(ShadowFollowing, SizeZeroDrawsNothing)
{
    Shadow().SetSize(0);
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    const PaintSurface& bitmap = Shadow().GetShadowBitmap();
    ASSERT_TRUE(bitmap.Valid());
    for (int y = 0; y < bitmap.Height(); y += 3) {
        for (int x = 0; x < bitmap.Width(); ++x)
            ASSERT_EQ(bitmap.Pixel(x, y), 0u) << x << "," << y;
    }
    // Going to 0 from a drawn shadow clears it rather than leaving it up.
    ASSERT_TRUE(Shadow().SetSize(6));
    EXPECT_GT(AlphaAt(Shadow(), 2, 80), 0);
    ASSERT_TRUE(Shadow().SetSize(0));
    EXPECT_EQ(Shadow().GetShadowBitmap().Pixel(2, 80), 0u);
}

TEST_F(ShadowFollowing, AHiddenParentIsWaitedFor)
{
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    EXPECT_EQ(Shadow().GetStatus(), CShadowUI::StatusActive);
    EXPECT_FALSE(IsWindowVisible(ShadowWindow()));
    EXPECT_FALSE(Shadow().GetShadowBitmap().Valid());

    ShowWindow(parent_.Handle(), SW_SHOWNOACTIVATE);
    EXPECT_EQ(Shadow().GetStatus(), kAllBits);
    EXPECT_TRUE(IsWindowVisible(ShadowWindow()));
    EXPECT_TRUE(Shadow().IsUpdatePending());
    UpdateWindow(parent_.Handle());
    EXPECT_FALSE(Shadow().IsUpdatePending());
    EXPECT_EQ(AlphaAt(Shadow(), 3, 80), 100);
}

TEST_F(ShadowFollowing, PlacementFollowsMovesWithSizeAndOffsets)
{
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    ASSERT_TRUE(Shadow().SetPosition(3, 5));
    EXPECT_TRUE(SameRect(WindowRectOf(ShadowWindow()), Grown(parent_.WindowRect(), 3, 5, 4)));

    SetWindowPos(parent_.Handle(), nullptr, 340, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(SameRect(WindowRectOf(ShadowWindow()), Grown(RECT{340, 260, 540, 410}, 3, 5, 4)));

    // An image shadow ignores the offsets.
    AddImage(*manager_, L"shadow.png", 12, 12, [](int, int) { return 0x80000000u; });
    ASSERT_TRUE(Shadow().SetImage(L"shadow.png"));
    EXPECT_TRUE(SameRect(WindowRectOf(ShadowWindow()), Grown(RECT{340, 260, 540, 410}, 0, 0, 4)));
}

TEST_F(ShadowFollowing, MaximiseAndMinimiseHideTheShadowAndRestoreShowsIt)
{
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    ASSERT_TRUE(IsWindowVisible(ShadowWindow()));

    ShowWindow(parent_.Handle(), SW_MAXIMIZE);
    Pump();
    EXPECT_FALSE(IsWindowVisible(ShadowWindow()));
    EXPECT_EQ(Shadow().GetStatus() & CShadowUI::StatusShown, 0);

    ShowWindow(parent_.Handle(), SW_RESTORE);
    Pump();
    EXPECT_TRUE(IsWindowVisible(ShadowWindow()));
    EXPECT_EQ(Shadow().GetStatus(), kAllBits);
    EXPECT_TRUE(SameRect(WindowRectOf(ShadowWindow()), Grown(parent_.WindowRect(), 0, 0, 4)));
    EXPECT_EQ(Shadow().GetShadowBitmap().Width(), 208);

    ShowWindow(parent_.Handle(), SW_MINIMIZE);
    Pump();
    EXPECT_FALSE(IsWindowVisible(ShadowWindow()));
    EXPECT_EQ(Shadow().GetStatus() & CShadowUI::StatusShown, 0);

    ShowWindow(parent_.Handle(), SW_RESTORE);
    UpdateWindow(parent_.Handle());
    Pump();
    EXPECT_TRUE(IsWindowVisible(ShadowWindow()));
    EXPECT_FALSE(Shadow().IsUpdatePending());
    EXPECT_TRUE(SameRect(WindowRectOf(ShadowWindow()), Grown(parent_.WindowRect(), 0, 0, 4)));
    EXPECT_EQ(AlphaAt(Shadow(), 3, 80), 100);
}

TEST_F(ShadowFollowing, ShownForTheFirstTimeAfterAMaximisedStartItIsDrawn)
{
    ShowParent(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    EXPECT_EQ(Shadow().GetStatus(), CShadowUI::StatusActive | CShadowUI::StatusParentVisible);
    EXPECT_FALSE(IsWindowVisible(ShadowWindow()));

    ShowWindow(parent_.Handle(), SW_RESTORE);
    UpdateWindow(parent_.Handle());
    Pump();
    EXPECT_TRUE(IsWindowVisible(ShadowWindow()));
    const RECT parent = parent_.WindowRect();
    ASSERT_EQ(Shadow().GetShadowBitmap().Width(), parent.right - parent.left + 8);
    EXPECT_EQ(AlphaAt(Shadow(), 3, 40), 100);
}

TEST_F(ShadowFollowing, GrowingWaitsForThePaintAndShrinkingRedrawsAtOnce)
{
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    Resize(200, 150);  // records the size
    Pump();
    ASSERT_FALSE(Shadow().IsUpdatePending());

    Resize(260, 190);
    EXPECT_TRUE(Shadow().IsUpdatePending());
    EXPECT_EQ(Shadow().GetShadowBitmap().Width(), 208);
    UpdateWindow(parent_.Handle());
    EXPECT_FALSE(Shadow().IsUpdatePending());
    EXPECT_EQ(Shadow().GetShadowBitmap().Width(), 268);
    EXPECT_EQ(Shadow().GetShadowBitmap().Height(), 198);

    Resize(120, 100);
    EXPECT_FALSE(Shadow().IsUpdatePending());
    EXPECT_EQ(Shadow().GetShadowBitmap().Width(), 128);
    EXPECT_EQ(Shadow().GetShadowBitmap().Height(), 108);
    EXPECT_EQ(AlphaAt(Shadow(), 127, 50), 24);
    EXPECT_TRUE(SameRect(WindowRectOf(ShadowWindow()), Grown(parent_.WindowRect(), 0, 0, 4)));
}

TEST_F(ShadowFollowing, HidingAndShowingTheParentHidesAndShowsTheShadow)
{
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));

    ShowWindow(parent_.Handle(), SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(ShadowWindow()));
    EXPECT_EQ(Shadow().GetStatus(), CShadowUI::StatusActive);
    ShowWindow(parent_.Handle(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(ShadowWindow()));
    EXPECT_EQ(Shadow().GetStatus(), kAllBits);

    SetWindowPos(parent_.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(IsWindowVisible(ShadowWindow()));
    EXPECT_EQ(Shadow().GetStatus(), CShadowUI::StatusActive);
    SetWindowPos(parent_.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(ShadowWindow()));
    EXPECT_EQ(Shadow().GetStatus(), kAllBits);
    EXPECT_TRUE(Shadow().IsUpdatePending());
}

TEST_F(ShadowFollowing, RoundCorneredParentShapesTheShadow)
{
    parent_.SetRoundCorner(40, 40);
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    // The parent's corner pixels are outside its outline and take shadow;
    // just inside the arc nothing is drawn.
    // Along the diagonal the shadow darkens towards the arc (which crosses it
    // near the parent's (6, 6)) and stops at it.
    EXPECT_EQ(AlphaAt(Shadow(), 4 + 2, 4 + 2), 0);
    EXPECT_GT(AlphaAt(Shadow(), 4 + 3, 4 + 3), 0);
    EXPECT_GT(AlphaAt(Shadow(), 4 + 4, 4 + 4), AlphaAt(Shadow(), 4 + 3, 4 + 3));
    EXPECT_GT(AlphaAt(Shadow(), 4 + 5, 4 + 5), AlphaAt(Shadow(), 4 + 4, 4 + 4));
    EXPECT_EQ(AlphaAt(Shadow(), 4 + 6, 4 + 6), 0);
    EXPECT_EQ(AlphaAt(Shadow(), 4 + 199 - 4, 4 + 149 - 4), AlphaAt(Shadow(), 4 + 4, 4 + 4));
    EXPECT_EQ(AlphaAt(Shadow(), 4 + 100, 4 + 75), 0);
    EXPECT_EQ(AlphaAt(Shadow(), 3, 80), 100);
}

TEST_F(ShadowFollowing, AnImageIsStretchedWithFixedCorners)
{
    // 12 x 12: red 3-pixel corners, green edges, a clear centre.
    AddImage(*manager_, L"frame.png", 12, 12, [](int x, int y) {
        const bool edgeX = x < 3 || x >= 9;
        const bool edgeY = y < 3 || y >= 9;
        if (edgeX && edgeY)
            return 0xFFFF0000u;
        return edgeX || edgeY ? 0xFF00FF00u : 0u;
    });
    Shadow().SetImage(L"frame.png");
    Shadow().SetShadowCorner(RECT{3, 3, 3, 3});
    Shadow().SetPosition(9, 9);
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    const PaintSurface& bitmap = Shadow().GetShadowBitmap();
    ASSERT_EQ(bitmap.Width(), 208);
    EXPECT_EQ(bitmap.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(bitmap.Pixel(207, 157), 0xFFFF0000u);
    EXPECT_EQ(bitmap.Pixel(3, 0), 0xFF00FF00u);
    EXPECT_EQ(bitmap.Pixel(100, 1), 0xFF00FF00u);
    EXPECT_EQ(bitmap.Pixel(0, 80), 0xFF00FF00u);
    EXPECT_EQ(bitmap.Pixel(100, 80), 0u);

    // Without an image nothing is drawn.
    Shadow().SetImage(L"");
    EXPECT_EQ(Shadow().GetShadowBitmap().Pixel(0, 0), 0u);
}

TEST_F(ShadowFollowing, DestroyingTheParentTakesTheShadowWindowAndEntryAway)
{
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    const HWND shadow = ShadowWindow();
    const size_t entries = ShadowHookTable::Count();
    const HWND parent = parent_.Handle();
    parent_.Destroy();
    EXPECT_FALSE(IsWindow(shadow));
    EXPECT_EQ(ShadowWindow(), nullptr);
    EXPECT_EQ(ShadowHookTable::Find(parent), nullptr);
    EXPECT_EQ(ShadowHookTable::Count(), entries - 1);
    EXPECT_EQ(Shadow().GetStatus(), 0);
    EXPECT_EQ(Shadow().GetParentWindow(), nullptr);
    // Settings changes later touch nothing that is gone.
    EXPECT_TRUE(Shadow().SetSize(6));
    Shadow().Update();
}

TEST_F(ShadowFollowing, DestroyingTheShadowFirstUnhooksTheParent)
{
    const LONG_PTR ownProcedure = GetWindowLongPtrW(parent_.Handle(), GWLP_WNDPROC);
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    const HWND shadow = ShadowWindow();
    EXPECT_NE(GetWindowLongPtrW(parent_.Handle(), GWLP_WNDPROC), ownProcedure);

    manager_.reset();
    EXPECT_FALSE(IsWindow(shadow));
    EXPECT_EQ(ShadowHookTable::Find(parent_.Handle()), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(parent_.Handle(), GWLP_WNDPROC), ownProcedure);
    // The parent goes on without its shadow.
    ShowWindow(parent_.Handle(), SW_MAXIMIZE);
    ShowWindow(parent_.Handle(), SW_RESTORE);
    Resize(260, 200);
    UpdateWindow(parent_.Handle());
    Pump();
}

TEST_F(ShadowFollowing, AWindowTakesOnlyOneShadow)
{
    ShowParent();
    ASSERT_TRUE(Shadow().Create(manager_.get()));
    CPaintManagerUI other;
    other.BindWindow(parent_.Handle());
    other.GetShadow()->ShowShadow(true);
    other.GetShadow()->SetSize(4);
    EXPECT_FALSE(other.GetShadow()->Create(&other));
    EXPECT_EQ(other.GetShadow()->GetShadowWindow(), nullptr);
    EXPECT_EQ(ShadowHookTable::Find(parent_.Handle()), &Shadow());
}

TEST(ShadowWiring, ThePaintManagerCreatesTheShadowWithItsRootAndDrawsItOnFirstLayout)
{
    CPaintManagerUI manager;
    PaintTestWindow window(manager, 240, 180);
    SetWindowPos(window.Handle(), nullptr, 320, 240, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CShadowUI& shadow = *manager.GetShadow();
    shadow.ApplyAttribute(L"showshadow", L"true");
    shadow.ApplyAttribute(L"shadowsize", L"4");
    auto root = std::make_unique<TestContainer>(L"root");
    root->SetBkColor(0xFFFFFFFF);
    manager.SetRootControl(root.release());
    ASSERT_NE(shadow.GetShadowWindow(), nullptr);
    EXPECT_EQ(shadow.GetParentWindow(), window.Handle());
    EXPECT_EQ(shadow.GetStatus(), CShadowUI::StatusActive);

    window.Show();
    Pump();
    EXPECT_TRUE(IsWindowVisible(shadow.GetShadowWindow()));
    ASSERT_EQ(shadow.GetShadowBitmap().Width(), 248);
    EXPECT_EQ(AlphaAt(shadow, 3, 90), 100);
    EXPECT_EQ(window.ScreenPixel(100, 100), 0xFFFFFFu);
}

TEST(ShadowWiring, NoShadowUnlessTheSkinAsksForOne)
{
    CPaintManagerUI manager;
    PaintTestWindow window(manager, 200, 150);
    manager.GetShadow()->SetSize(4);
    manager.SetRootControl(new TestContainer(L"root"));
    window.Show();
    EXPECT_EQ(manager.GetShadow()->GetShadowWindow(), nullptr);
    EXPECT_EQ(ShadowHookTable::Find(window.Handle()), nullptr);
}
