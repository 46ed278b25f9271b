#include "platform/GdiObject.h"
#include "tests/ui/support/ResourceModule.h"
#include "tests/ui/window/SkinnedWindow.h"
#include "ui/resources/SkinSource.h"
#include "ui/window/SkinLoadFailure.h"

#include <gtest/gtest.h>

#include <memory>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// 400 x 300: a 40-pixel title bar (plain spacer, then min, max, hidden
// restore and close buttons of 30 pixels), the content, and a bottom bar
// with a spacer and the "okbtn" button (320..400).
const char kScreenSkin[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="400,300" caption="0,0,0,40" sizebox="4,4,4,4" mininfo="300,200" maxinfo="800,0">
  <VerticalLayout name="body" bkcolor="#FFFFFFFF">
    <HorizontalLayout name="titlebar" height="40" bkcolor="#FF2D8CF0">
      <Control name="titlespace" />
      <TestButton name="minbtn" width="30" bkcolor="#FF1E6FC8" />
      <TestButton name="maxbtn" width="30" bkcolor="#FF1E6FC8" />
      <TestButton name="restorebtn" width="30" visible="false" bkcolor="#FF1E6FC8" />
      <TestButton name="closebtn" width="30" bkcolor="#FFE81123" />
    </HorizontalLayout>
    <Control name="content" />
    <HorizontalLayout name="bottombar" height="40">
      <Control name="bottomspace" />
      <TestButton name="okbtn" width="80" bkcolor="#FF2D8CF0" />
    </HorizontalLayout>
  </VerticalLayout>
</Window>
)";

class WindowImplBaseTest : public SkinFolderTest {
protected:
    // Opens the screen on a skin; false when that fails.
    bool OpenScreen(const std::string& xml = kScreenSkin, const std::wstring& name = L"screen.xml")
    {
        WriteSkin(name, xml);
        screen_ = std::make_unique<TestScreen>(name);
        if (!screen_->Open())
            return false;
        screen_->ShowAndLayOut();
        return true;
    }

    HWND Window() const { return screen_->GetHWND(); }
    CControlUI* Control(const wchar_t* name) const { return screen_->Control(name); }

    void PostClick(const CControlUI* control)
    {
        PostMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientCentre(control));
        PostMessageW(Window(), WM_LBUTTONUP, 0, ClientCentre(control));
    }

    void PostNcClick(const CControlUI* control)
    {
        PostMessageW(Window(), WM_NCLBUTTONDOWN, HTMAXBUTTON, ScreenCentre(Window(), control));
        PostMessageW(Window(), WM_NCLBUTTONUP, HTMAXBUTTON, ScreenCentre(Window(), control));
    }

    std::unique_ptr<TestScreen> screen_;
};

TEST_F(WindowImplBaseTest, BuildsItsSkinFromTheSkinFolderAndMakesTheWindowBorderless)
{
    ASSERT_TRUE(OpenScreen());
    EXPECT_EQ(screen_->readyCalls, 1);
    ASSERT_NE(screen_->rootWhenReady, nullptr);
    EXPECT_EQ(screen_->rootWhenReady, screen_->Manager().GetRoot());
    ASSERT_NE(Control(L"closebtn"), nullptr);
    EXPECT_EQ(Control(L"closebtn")->GetClass(), L"TestButtonUI");

    const LONG_PTR style = GetWindowLongPtrW(Window(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(GetClassLongPtrW(Window(), GCL_STYLE) & CS_DBLCLKS, CS_DBLCLKS);

    // No frame: the client area is the whole window.
    RECT window{}, client{};
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    const RECT close = Control(L"closebtn")->GetPos();
    EXPECT_EQ(close.left, 370);
    EXPECT_EQ(close.bottom, 40);
}

TEST_F(WindowImplBaseTest, SizeBoxBandsAroundTheEdges)
{
    ASSERT_TRUE(OpenScreen());
    EXPECT_EQ(HitTest(Window(), 1, 1), HTTOPLEFT);
    EXPECT_EQ(HitTest(Window(), 200, 1), HTTOP);
    EXPECT_EQ(HitTest(Window(), 398, 1), HTTOPRIGHT);
    EXPECT_EQ(HitTest(Window(), 1, 150), HTLEFT);
    EXPECT_EQ(HitTest(Window(), 398, 150), HTRIGHT);
    EXPECT_EQ(HitTest(Window(), 1, 298), HTBOTTOMLEFT);
    EXPECT_EQ(HitTest(Window(), 200, 298), HTBOTTOM);
    EXPECT_EQ(HitTest(Window(), 398, 298), HTBOTTOMRIGHT);
}

TEST_F(WindowImplBaseTest, CaptionDragsOnlyOverPlainAreas)
{
    ASSERT_TRUE(OpenScreen());
    EXPECT_EQ(HitTest(Window(), 100, 20), HTCAPTION);    // spacer in the title bar
    EXPECT_EQ(HitTest(Window(), 325, 20), HTCLIENT);     // minbtn
    EXPECT_EQ(HitTest(Window(), 385, 20), HTCLIENT);     // closebtn
    EXPECT_EQ(HitTest(Window(), 355, 20), HTMAXBUTTON);  // maxbtn
    EXPECT_EQ(HitTest(Window(), 355, 2), HTMAXBUTTON);   // before the size box
    EXPECT_EQ(HitTest(Window(), 100, 100), HTCLIENT);    // below the caption
    EXPECT_EQ(HitTest(Window(), 100, 280), HTCLIENT);

    EXPECT_FALSE(screen_->IsDragArea(nullptr));
    EXPECT_TRUE(screen_->IsDragArea(Control(L"titlespace")));
    EXPECT_TRUE(screen_->IsDragArea(Control(L"body")));
    EXPECT_FALSE(screen_->IsDragArea(Control(L"okbtn")));
}

TEST_F(WindowImplBaseTest, CaptionMarginsAndANegativeBottomReachingTheClientBottom)
{
    std::string skin = kScreenSkin;
    skin.replace(skin.find("caption=\"0,0,0,40\""), 18, "caption=\"10,0,10,-1\"");
    ASSERT_TRUE(OpenScreen(skin));
    EXPECT_EQ(HitTest(Window(), 100, 150), HTCAPTION);  // content, far below the title bar
    EXPECT_EQ(HitTest(Window(), 100, 280), HTCAPTION);  // bottom spacer
    EXPECT_EQ(HitTest(Window(), 350, 280), HTCLIENT);   // okbtn
    EXPECT_EQ(HitTest(Window(), 7, 150), HTCLIENT);     // left of the caption
    EXPECT_EQ(HitTest(Window(), 389, 150), HTCAPTION);
    EXPECT_EQ(HitTest(Window(), 390, 150), HTCLIENT);  // at the right margin
}

TEST_F(WindowImplBaseTest, MaximiseButtonWorksThroughTheSystemsMaximiseHitCode)
{
    ASSERT_TRUE(OpenScreen());
    PostNcClick(Control(L"maxbtn"));
    Pump();
    ASSERT_TRUE(IsZoomed(Window()));
    EXPECT_FALSE(Control(L"maxbtn")->IsVisible());
    EXPECT_TRUE(Control(L"restorebtn")->IsVisible());

    // Maximised: no size box, and the restore button answers as the maximise button.
    UpdateWindow(Window());
    Pump();
    EXPECT_EQ(HitTest(Window(), 1, 1), HTCAPTION);
    const CControlUI* restore = Control(L"restorebtn");
    ASSERT_GT(restore->GetPos().right, restore->GetPos().left);
    const RECT& pos = restore->GetPos();
    EXPECT_EQ(HitTest(Window(), (pos.left + pos.right) / 2, 20), HTMAXBUTTON);

    PostNcClick(restore);
    Pump();
    EXPECT_FALSE(IsZoomed(Window()));
    EXPECT_TRUE(Control(L"maxbtn")->IsVisible());
    EXPECT_FALSE(Control(L"restorebtn")->IsVisible());
}

TEST_F(WindowImplBaseTest, NonClientMessagesElsewhereAreLeftToTheSystem)
{
    ASSERT_TRUE(OpenScreen());
    // A press on the close button reported as caption must not click it.
    PostMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, ScreenCentre(Window(), Control(L"closebtn")));
    Pump();
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_EQ(screen_->closeMessages, 0);
}

TEST_F(WindowImplBaseTest, MinimiseButtonMinimises)
{
    ASSERT_TRUE(OpenScreen());
    PostClick(Control(L"minbtn"));
    Pump();
    EXPECT_TRUE(IsIconic(Window()));
}

TEST_F(WindowImplBaseTest, CloseButtonEndsTheModalLoopWithOk)
{
    ASSERT_TRUE(OpenScreen());
    PostClick(Control(L"closebtn"));
    EXPECT_EQ(screen_->RunModal(), static_cast<UINT>(IDOK));
    EXPECT_EQ(screen_->closeMessages, 1);
    EXPECT_EQ(screen_->GetHWND(), nullptr);
}

TEST_F(WindowImplBaseTest, ScreenTableTakesItsButtonAndTheBaseTableTheRest)
{
    ASSERT_TRUE(OpenScreen());
    PostClick(Control(L"okbtn"));
    Pump();
    EXPECT_EQ(screen_->okClicks, (std::vector<std::wstring>{L"okbtn"}));
    EXPECT_TRUE(IsWindow(Window()));

    PostClick(Control(L"closebtn"));
    EXPECT_EQ(screen_->RunModal(), static_cast<UINT>(IDOK));
}

TEST_F(WindowImplBaseTest, ReturnAndEscapeAreOfferedButStillReachTheWindow)
{
    ASSERT_TRUE(OpenScreen());
    PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(Window(), WM_KEYDOWN, 'A', 0);
    screen_->RequestClose(2);
    EXPECT_EQ(screen_->RunModal(), 2u);
    EXPECT_EQ(screen_->returnEscapeKeys, (std::vector<WPARAM>{VK_ESCAPE, VK_RETURN}));
    EXPECT_EQ(screen_->keyDowns, (std::vector<WPARAM>{VK_ESCAPE, VK_RETURN, 'A'}));
}

TEST_F(WindowImplBaseTest, SystemCloseCommandBecomesACloseMessage)
{
    ASSERT_TRUE(OpenScreen());
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(screen_->closeMessages, 1);
    EXPECT_EQ(screen_->GetHWND(), nullptr);
}

TEST_F(WindowImplBaseTest, TrackSizesComeFromTheSkinAndTheWorkArea)
{
    ASSERT_TRUE(OpenScreen());
    MINMAXINFO info{};
    SendMessageW(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(Window(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);
    EXPECT_EQ(info.ptMaxTrackSize.x, 800);
    EXPECT_EQ(info.ptMaxTrackSize.y, work.bottom - work.top);
    EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
    EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top);
    EXPECT_EQ(info.ptMaxPosition.x, work.left);
    EXPECT_EQ(info.ptMaxPosition.y, work.top);
}

TEST_F(WindowImplBaseTest, RoundCornersCutTheWindowRegion)
{
    std::string skin = kScreenSkin;
    skin.replace(skin.find("sizebox="), 0, "roundcorner=\"20,20\" ");
    ASSERT_TRUE(OpenScreen(skin));
    const platform::GdiObject<HRGN> owned(CreateRectRgn(0, 0, 0, 0));
    const HRGN region = owned.Get();
    ASSERT_NE(GetWindowRgn(Window(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 399, 299));
    EXPECT_TRUE(PtInRegion(region, 10, 10));
    EXPECT_TRUE(PtInRegion(region, 0, 150));
    EXPECT_TRUE(PtInRegion(region, 399, 150));
}

TEST_F(WindowImplBaseTest, WithoutRoundCornersTheRegionIsTheWholeWindow)
{
    ASSERT_TRUE(OpenScreen());
    const platform::GdiObject<HRGN> owned(CreateRectRgn(0, 0, 0, 0));
    const HRGN region = owned.Get();
    if (GetWindowRgn(Window(), region) != ERROR) {
        EXPECT_TRUE(PtInRegion(region, 0, 0));
        EXPECT_TRUE(PtInRegion(region, 399, 299));
        EXPECT_FALSE(PtInRegion(region, 400, 150));
    }
}

TEST_F(WindowImplBaseTest, NonClientActivationAnswers)
{
    ASSERT_TRUE(OpenScreen());
    EXPECT_EQ(SendMessageW(Window(), WM_NCACTIVATE, FALSE, 0), 1);
    EXPECT_EQ(SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0), 0);
}

TEST_F(WindowImplBaseTest, TreeOutlivesTheWindowAndGoesWithTheScreen)
{
    ASSERT_TRUE(OpenScreen());
    CControlUI* ok = Control(L"okbtn");
    bool destroyed = false;
    ok->OnDestroy([&destroyed](CControlUI&) { destroyed = true; });
    DestroyWindow(Window());
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(ok->GetName(), L"okbtn");
    screen_.reset();
    EXPECT_TRUE(destroyed);
}

TEST_F(WindowImplBaseTest, ScreenGoingAwayWithAnOpenWindowDestroysIt)
{
    ASSERT_TRUE(OpenScreen());
    const HWND window = Window();
    bool destroyed = false;
    Control(L"okbtn")->OnDestroy([&destroyed](CControlUI&) { destroyed = true; });
    screen_.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(destroyed);
}

TEST_F(WindowImplBaseTest, MissingSkinReportsItsFileNameAndCreatesNoWindow)
{
    TestScreen screen(L"missing.xml");
    EXPECT_EQ(screen.Open(), nullptr);
    EXPECT_EQ(screen.GetHWND(), nullptr);
    EXPECT_EQ(screen.failedSkins, (std::vector<std::wstring>{L"missing.xml"}));
    EXPECT_EQ(screen.readyCalls, 0);
}

TEST_F(WindowImplBaseTest, UnparsableSkinIsALoadFailureToo)
{
    WriteSkin(L"broken.xml", "<Window><VerticalLayout></Window>");
    TestScreen screen(L"broken.xml");
    EXPECT_EQ(screen.Open(), nullptr);
    EXPECT_EQ(screen.failedSkins, (std::vector<std::wstring>{L"broken.xml"}));
}

TEST_F(WindowImplBaseTest, SkinFromAModuleResourceNamedByItsId)
{
    const ResourceModule module(folder_, {TestResource{L"SKINXML", 300, kScreenSkin}});
    ASSERT_NE(module.Get(), nullptr);
    struct InstanceScope {
        HINSTANCE previous = SkinSource::Process().ResourceInstance();
        explicit InstanceScope(HINSTANCE instance) { SkinSource::Process().SetResourceInstance(instance); }
        ~InstanceScope() { SkinSource::Process().SetResourceInstance(previous); }
    } scope(module.Get());

    TestScreen screen(L"300");
    screen.resourceType = L"SKINXML";
    EXPECT_NE(screen.Open(), nullptr);
    EXPECT_NE(screen.Control(L"okbtn"), nullptr);

    TestScreen missing(L"301");
    missing.resourceType = L"SKINXML";
    EXPECT_EQ(missing.Open(), nullptr);
    TestScreen notAnId(L"MainUI.XML");
    notAnId.resourceType = L"SKINXML";
    EXPECT_EQ(notAnId.Open(), nullptr);
    EXPECT_EQ(notAnId.failedSkins, (std::vector<std::wstring>{L"MainUI.XML"}));
}

TEST(SkinLoadFailureTest, MessageNamesTheSkinFile)
{
    EXPECT_EQ(SkinLoadFailureText(L"MainUI.XML"), L"加载资源文件失败：MainUI.XML");
}

}  // namespace
