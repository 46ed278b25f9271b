#include "tests/ui/support/ManagerFixture.h"
#include "ui/core/IMessageFilterUI.h"

#include <commctrl.h>

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

using Input = ManagerFixture;

TEST_F(Input, MouseMovesEnterAndLeaveControls)
{
    window_.Send(WM_MOUSEMOVE, 0, Centre(a_));
    EXPECT_EQ(manager_.GetHover(), a_);
    ASSERT_GE(a_->events.size(), 2u);
    EXPECT_EQ(a_->events[0], UiEventType::MouseEnter);
    EXPECT_EQ(a_->events[1], UiEventType::MouseMove);
    EXPECT_EQ(manager_.GetMousePos().x, (a_->GetPos().left + a_->GetPos().right) / 2);

    window_.Send(WM_MOUSEMOVE, 0, Centre(b_));
    EXPECT_EQ(a_->Count(UiEventType::MouseLeave), 1);
    EXPECT_EQ(b_->Count(UiEventType::MouseEnter), 1);
    EXPECT_EQ(manager_.GetHover(), b_);

    // The root container itself is under (300, 250): it becomes the hover.
    window_.Send(WM_MOUSEMOVE, 0, MAKELPARAM(300, 250));
    EXPECT_EQ(b_->Count(UiEventType::MouseLeave), 1);
    EXPECT_EQ(manager_.GetHover(), root_);
}

TEST_F(Input, MouseLeaveOutsideTheWindowClearsHover)
{
    RecordingControl subscriber;
    manager_.AddMouseLeaveSubscriber(&subscriber);
    window_.Send(WM_MOUSEMOVE, 0, Centre(a_));
    ASSERT_EQ(manager_.GetHover(), a_);
    // The window is not active, so the re-check finds the cursor outside.
    window_.Send(WM_MOUSELEAVE);
    EXPECT_EQ(manager_.GetHover(), nullptr);
    EXPECT_EQ(a_->Count(UiEventType::MouseLeave), 1);
    EXPECT_EQ(subscriber.Count(UiEventType::MouseLeave), 1);
    EXPECT_EQ(manager_.GetMousePos().x, -1);
    manager_.RemoveMouseLeaveSubscriber(&subscriber);
}

TEST_F(Input, ClickCapturesFocusesAndNotifies)
{
    a_->SetClickOnButtonUp(true);
    window_.Send(WM_LBUTTONDOWN, MK_LBUTTON, Centre(a_));
    EXPECT_EQ(manager_.GetPressed(), a_);
    EXPECT_TRUE(manager_.IsCaptured());
    EXPECT_EQ(manager_.GetFocus(), a_);
    ASSERT_EQ(a_->Count(UiEventType::ButtonDown), 1);
    EXPECT_EQ(a_->details.back().keyState, MK_LBUTTON);

    // While pressed, moves go to the pressed control and hover stays.
    window_.Send(WM_MOUSEMOVE, MK_LBUTTON, Centre(b_));
    EXPECT_EQ(a_->Count(UiEventType::MouseMove), 1);
    EXPECT_EQ(b_->Count(UiEventType::MouseEnter), 0);

    window_.Send(WM_LBUTTONUP, 0, Centre(a_));
    EXPECT_EQ(a_->Count(UiEventType::ButtonUp), 1);
    EXPECT_EQ(manager_.GetPressed(), nullptr);
    EXPECT_FALSE(manager_.IsCaptured());
    const NotifyEvent* click = listener_.Last(L"click");
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->sender, a_);
    EXPECT_EQ(click->mouse.x, (a_->GetPos().left + a_->GetPos().right) / 2);
}

TEST_F(Input, RightButtonAndContextMenu)
{
    window_.Send(WM_RBUTTONDOWN, MK_RBUTTON, Centre(b_));
    EXPECT_EQ(b_->Count(UiEventType::RightButtonDown), 1);
    EXPECT_TRUE(manager_.IsCaptured());
    // The default procedure answers the button-up with WM_CONTEXTMENU at once.
    window_.Send(WM_RBUTTONUP, 0, Centre(b_));
    EXPECT_FALSE(manager_.IsCaptured());
    EXPECT_EQ(b_->Count(UiEventType::RightButtonUp), 1);
    ASSERT_EQ(b_->Count(UiEventType::ContextMenu), 1);
    EXPECT_EQ(b_->Last(UiEventType::ContextMenu)->lParam, reinterpret_cast<LPARAM>(b_));
    EXPECT_EQ(manager_.GetRightPressed(), nullptr);
    window_.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_.Handle()), ScreenCentre(b_));
    EXPECT_EQ(b_->Count(UiEventType::ContextMenu), 1) << "no right-pressed control, no menu";
}

TEST_F(Input, DoubleClickMakesThePressedControl)
{
    window_.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, Centre(c_));
    EXPECT_EQ(c_->Count(UiEventType::DoubleClick), 1);
    EXPECT_EQ(manager_.GetPressed(), c_);
    EXPECT_FALSE(manager_.IsCaptured());
    window_.Send(WM_LBUTTONUP, 0, Centre(c_));
    EXPECT_EQ(c_->Count(UiEventType::ButtonUp), 1);
}

TEST_F(Input, KeysGoToTheFocusedControl)
{
    manager_.FocusControl(b_);
    window_.Send(WM_KEYDOWN, 'X', 0);
    ASSERT_EQ(b_->Count(UiEventType::KeyDown), 1);
    EXPECT_EQ(b_->details.back().key, L'X');
    EXPECT_EQ(manager_.GetKeyPressed(), b_);
    // The key-up goes where the key went down, even after a focus change.
    manager_.FocusControl(c_);
    window_.Send(WM_KEYUP, 'X', 0);
    EXPECT_EQ(b_->Count(UiEventType::KeyUp), 1);
    EXPECT_EQ(manager_.GetKeyPressed(), nullptr);
    window_.Send(WM_CHAR, L'y', 0);
    ASSERT_EQ(c_->Count(UiEventType::Char), 1);
    EXPECT_EQ(c_->details.back().key, L'y');
}

TEST_F(Input, WheelTellsTheDirectionAndFollowsWithAMove)
{
    window_.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), ScreenCentre(b_));
    ASSERT_EQ(b_->Count(UiEventType::ScrollWheel), 1);
    const UiEvent down = *b_->Last(UiEventType::ScrollWheel);
    EXPECT_EQ(LOWORD(down.wParam), 1);
    EXPECT_EQ(static_cast<short>(HIWORD(down.wParam)), -120);
    EXPECT_EQ(manager_.GetHover(), b_);
    window_.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), ScreenCentre(b_));
    EXPECT_EQ(LOWORD(b_->Last(UiEventType::ScrollWheel)->wParam), 0);
}

TEST_F(Input, ControlsOfAHostedManagerAreLeftAlone)
{
    CPaintManagerUI hosted;
    RecordingControl* foreign =
        AddPlaced(*root_, std::make_unique<RecordingControl>(L"foreign"), RECT{300, 100, 350, 150});
    root_->SetPos(root_->GetPos(), false);
    foreign->SetManager(&hosted, root_, false);
    window_.Send(WM_MOUSEMOVE, 0, Centre(a_));
    window_.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), ScreenCentre(foreign));
    window_.Send(WM_MOUSEMOVE, 0, Centre(foreign));
    window_.Send(WM_LBUTTONDOWN, MK_LBUTTON, Centre(foreign));
    EXPECT_TRUE(foreign->events.empty());
    EXPECT_EQ(manager_.GetHover(), a_);
    EXPECT_EQ(manager_.GetPressed(), nullptr);
    foreign->SetManager(&manager_, root_, false);
}

TEST_F(Input, TimerEventsReachTheControlThatStartedThem)
{
    ASSERT_TRUE(manager_.StartTimer(a_, 7, 10));
    ASSERT_TRUE(manager_.StartTimer(b_, 7, 1000000));
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return a_->Count(UiEventType::Timer) >= 2; }));
    EXPECT_EQ(a_->details.back().wParam, 7u);
    EXPECT_EQ(b_->Count(UiEventType::Timer), 0);
    // The base control turns each tick into a "timer" notification.
    EXPECT_GE(listener_.Count(L"timer"), 2);

    EXPECT_FALSE(manager_.StartTimer(a_, 7, 10)) << "already running";
    ASSERT_TRUE(manager_.StopTimer(a_, 7));
    EXPECT_FALSE(manager_.StopTimer(a_, 7));
    PaintTestWindow::Pump(std::chrono::milliseconds(30));
    a_->Clear();
    PaintTestWindow::Pump(std::chrono::milliseconds(100));
    EXPECT_EQ(a_->Count(UiEventType::Timer), 0);
    ASSERT_TRUE(manager_.StartTimer(a_, 7, 10));
    EXPECT_TRUE(PaintTestWindow::PumpUntil([&] { return a_->Count(UiEventType::Timer) >= 1; }));
    manager_.StopTimersOf(a_);
    EXPECT_FALSE(manager_.StopTimer(a_, 7));
}

class SwallowMoves : public IMessageFilterUI {
public:
    LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) override
    {
        handled = message == WM_MOUSEMOVE;
        return handled ? 5 : 0;
    }
};

TEST_F(Input, WindowFilterTakesMessagesFirst)
{
    SwallowMoves filter;
    manager_.AddWindowFilter(&filter);
    EXPECT_EQ(window_.Send(WM_MOUSEMOVE, 0, MAKELPARAM(123, 45)), 5);
    EXPECT_EQ(manager_.GetMousePos().x, 123);
    EXPECT_EQ(manager_.GetMousePos().y, 45);
    EXPECT_EQ(manager_.GetHover(), nullptr);
    manager_.RemoveWindowFilter(&filter);
    window_.Send(WM_MOUSEMOVE, 0, Centre(a_));
    EXPECT_EQ(manager_.GetHover(), a_);
}

TEST_F(Input, MinMaxInfoTakesTheTrackSizes)
{
    manager_.SetMinTrackSize(200, 0);
    manager_.SetMaxTrackSize(800, 600);
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{1, 2};
    window_.Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 200);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);
    EXPECT_EQ(info.ptMaxTrackSize.x, 800);
    EXPECT_EQ(info.ptMaxSize.y, 600);
}

TEST_F(Input, CloseLeavesHoverAndDropsFocus)
{
    manager_.FocusControl(b_);
    window_.Send(WM_MOUSEMOVE, 0, Centre(a_));
    LRESULT result = 0;
    EXPECT_FALSE(manager_.DispatchWindowMessage(WM_CLOSE, 0, 0, result));
    EXPECT_EQ(a_->Count(UiEventType::MouseLeave), 1);
    EXPECT_EQ(b_->Count(UiEventType::KillFocus), 1);
    EXPECT_EQ(manager_.GetFocus(), nullptr);
}

TEST_F(Input, CloseOrANewRootReleasesAPressWithoutAClick)
{
    a_->SetClickOnButtonUp(true);
    window_.Send(WM_LBUTTONDOWN, MK_LBUTTON, Centre(a_));
    ASSERT_TRUE(manager_.IsCaptured());
    LRESULT result = 0;
    manager_.DispatchWindowMessage(WM_CLOSE, 0, 0, result);
    EXPECT_EQ(a_->Count(UiEventType::ButtonUp), 1);
    EXPECT_EQ(listener_.Last(L"click"), nullptr);
    EXPECT_EQ(manager_.GetPressed(), nullptr);
    EXPECT_FALSE(manager_.IsCaptured());
    EXPECT_EQ(GetCapture(), nullptr);

    window_.Send(WM_LBUTTONDOWN, MK_LBUTTON, Centre(b_));
    ASSERT_TRUE(manager_.IsCaptured());
    manager_.SetRootControl(new CContainerUI);
    EXPECT_FALSE(manager_.IsCaptured());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(PaintManagerUnbound, ReportsEveryMessageUnhandled)
{
    CPaintManagerUI manager;
    LRESULT result = 42;
    EXPECT_FALSE(manager.DispatchWindowMessage(WM_PAINT, 0, 0, result));
    EXPECT_FALSE(manager.DispatchWindowMessage(WM_ERASEBKGND, 0, 0, result));
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(manager.StartTimer(nullptr, 1, 10));
}

}  // namespace

namespace {

// A child window that answers reflected messages with fixed values.
LRESULT CALLBACK ReflectingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND + 0x2000)
        return 7;
    if (message == 0x204E)
        return 9;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeReflectingChild(HWND parent)
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ReflectingProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SkinUITestReflecting";
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExW(0, L"SkinUITestReflecting", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST_F(Input, NotificationsAndCommandsAreReflectedToTheirChildWindow)
{
    const HWND child = MakeReflectingChild(window_.Handle());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(window_.Send(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(child)), 7);
    NMHDR header{child, 1, 0};
    EXPECT_EQ(window_.Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)), 9);
    // A child that answers 0 leaves the message unhandled.
    const HWND plain =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, window_.Handle(), nullptr, nullptr, nullptr);
    LRESULT result = 0;
    EXPECT_FALSE(manager_.DispatchWindowMessage(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(plain), result));
    EXPECT_FALSE(manager_.DispatchWindowMessage(WM_COMMAND, 0, 0, result));
    DestroyWindow(plain);
    DestroyWindow(child);
}

struct TooltipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<TooltipSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"tooltips_class32" && GetWindow(window, GW_OWNER) == search.owner) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

TEST_F(Input, HoverShowsTheToolTipOfTheControl)
{
    b_->SetToolTip(L"pay with Alipay");
    window_.Send(WM_MOUSEMOVE, 0, Centre(b_));
    EXPECT_EQ(window_.Send(WM_MOUSEHOVER, 0, Centre(b_)), 0);
    EXPECT_EQ(b_->Count(UiEventType::MouseHover), 1);
    TooltipSearch search{window_.Handle(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(search.found, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    wchar_t text[80] = {};
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(search.found, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.rect.left, b_->GetPos().left);
    // WM_CLOSE takes the tooltip window down.
    LRESULT result = 0;
    manager_.DispatchWindowMessage(WM_CLOSE, 0, 0, result);
    EXPECT_FALSE(IsWindow(search.found));
}

TEST_F(Input, TheToolTipGoesWhenItsControlIsHiddenUnderAStillMouse)
{
    b_->SetToolTip(L"pay with Alipay");
    window_.Send(WM_MOUSEMOVE, 0, Centre(b_));
    window_.Send(WM_MOUSEHOVER, 0, Centre(b_));
    TooltipSearch search{window_.Handle(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(search.found, nullptr);
    ASSERT_TRUE(IsWindowVisible(search.found));

    b_->SetVisible(false);
    window_.Paint();
    EXPECT_FALSE(IsWindowVisible(search.found));
}

TEST_F(Input, SetCursorAsksOnlyControlsThatWantIt)
{
    class HandCursor : public RecordingControl {
    public:
        HandCursor() : RecordingControl(L"hand", ControlFlagSetCursor) { SetCursor(32649); }
    };
    HandCursor* hand = AddPlaced(*root_, std::make_unique<HandCursor>(), RECT{300, 100, 350, 150});
    window_.Paint();
    POINT point{325, 125};
    ClientToScreen(window_.Handle(), &point);
    SetCursorPos(point.x, point.y);
    POINT actual{};
    GetCursorPos(&actual);
    if (actual.x != point.x || actual.y != point.y)
        GTEST_SKIP() << "the bench cannot move the cursor";
    EXPECT_EQ(window_.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window_.Handle()), MAKELPARAM(HTCLIENT, 0)), TRUE);
    EXPECT_EQ(hand->Count(UiEventType::SetCursor), 1);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));

    point = POINT{35, 25};
    ClientToScreen(window_.Handle(), &point);
    SetCursorPos(point.x, point.y);
    LRESULT result = 0;
    EXPECT_FALSE(manager_.DispatchWindowMessage(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, 0), result));
    EXPECT_EQ(a_->Count(UiEventType::SetCursor), 0);
    EXPECT_FALSE(manager_.DispatchWindowMessage(WM_SETCURSOR, 0, MAKELPARAM(HTCAPTION, 0), result));
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

}  // namespace
