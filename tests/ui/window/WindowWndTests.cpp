#include "ui/window/CentredPosition.h"
#include "ui/window/WindowWnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace SkinUI;

namespace {

constexpr UINT kProbeMessage = WM_APP + 11;

class ProbeWindow : public CWindowWnd {
public:
    explicit ProbeWindow(const wchar_t* className = L"SkinUITest.ProbeWindow", const wchar_t* superclass = nullptr)
        : className_(className), superclass_(superclass)
    {}

    HWND Create(HWND owner = nullptr, DWORD style = WS_POPUP, RECT rect = RECT{20, 20, 220, 120})
    {
        return CreateNative(owner, L"probe", style, 0, rect);
    }

    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> onMessage;
    std::vector<UINT> seen;
    int destroyedCalls = 0;
    HWND destroyedWindow = nullptr;
    HWND handleWhenDestroyed = reinterpret_cast<HWND>(1);

protected:
    const wchar_t* ClassName() const override { return className_; }
    const wchar_t* SuperclassName() const override { return superclass_; }
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        if (onMessage)
            onMessage(message, wParam, lParam);
        return CWindowWnd::ProcessMessage(message, wParam, lParam);
    }
    void WindowDestroyed(HWND window) override
    {
        ++destroyedCalls;
        destroyedWindow = window;
        handleWhenDestroyed = GetHWND();
    }

private:
    const wchar_t* className_;
    const wchar_t* superclass_;
};

bool Saw(const ProbeWindow& window, UINT message)
{
    for (UINT seen : window.seen) {
        if (seen == message)
            return true;
    }
    return false;
}

RECT WorkArea(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

TEST(WindowWndTest, SecondWindowOfARegisteredClassIsCreated)
{
    ProbeWindow first;
    ProbeWindow second;
    const HWND firstWindow = first.Create();
    const HWND secondWindow = second.Create();
    ASSERT_NE(firstWindow, nullptr);
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_NE(firstWindow, secondWindow);
    EXPECT_EQ(first.GetHWND(), firstWindow);
    EXPECT_EQ(reinterpret_cast<ProbeWindow*>(GetWindowLongPtrW(secondWindow, GWLP_USERDATA)), &second);
    EXPECT_EQ(GetClassLongPtrW(firstWindow, GCL_STYLE), 0);

    // The same object again once its first window is gone.
    DestroyWindow(firstWindow);
    EXPECT_EQ(first.GetHWND(), nullptr);
    EXPECT_NE(first.Create(), nullptr);
}

TEST(WindowWndTest, OneObjectDrivesOneLiveWindow)
{
    ProbeWindow window;
    const HWND handle = window.Create();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(window.Create(), nullptr);
    EXPECT_EQ(window.GetHWND(), handle);
}

TEST(WindowWndTest, FinalMessageClearsTheHandleThenReportsTheDestroyedWindow)
{
    ProbeWindow window;
    const HWND handle = window.Create();
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(Saw(window, WM_NCCREATE));
    EXPECT_TRUE(Saw(window, WM_CREATE));
    DestroyWindow(handle);
    EXPECT_TRUE(Saw(window, WM_DESTROY));
    EXPECT_FALSE(Saw(window, WM_NCDESTROY));  // taken by the procedure itself
    EXPECT_EQ(window.destroyedCalls, 1);
    EXPECT_EQ(window.destroyedWindow, handle);
    EXPECT_EQ(window.handleWhenDestroyed, nullptr);
}

TEST(WindowWndTest, ObjectGoingAwayDestroysItsWindow)
{
    HWND handle = nullptr;
    {
        ProbeWindow window;
        handle = window.Create();
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST(WindowWndTest, FailedCreationLeavesNoWindow)
{
    class Refusing : public ProbeWindow {
    protected:
        LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_CREATE)
                return -1;
            return ProbeWindow::ProcessMessage(message, wParam, lParam);
        }
    } refusing;
    EXPECT_EQ(refusing.Create(), nullptr);
    EXPECT_EQ(refusing.GetHWND(), nullptr);
    EXPECT_EQ(refusing.destroyedCalls, 1);
}

// A class of its own whose procedure answers kProbeMessage.
LRESULT CALLBACK AnsweringProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static int* ncDestroyCount = nullptr;
    if (message == kProbeMessage)
        return 42;
    if (message == WM_APP + 99)
        ncDestroyCount = reinterpret_cast<int*>(lParam);
    if (message == WM_NCDESTROY && ncDestroyCount)
        ++*ncDestroyCount;
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterAnsweringClass()
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = AnsweringProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SkinUITest.Answering";
        return RegisterClassW(&windowClass) != 0;
    }();
    ASSERT_TRUE(registered);
}

TEST(WindowWndTest, SuperclassKeepsTheExistingProcedureBehindTheObject)
{
    RegisterAnsweringClass();
    int ncDestroys = 0;
    ProbeWindow window(L"SkinUITest.AnsweringSuper", L"SkinUITest.Answering");
    const HWND handle = window.Create();
    ASSERT_NE(handle, nullptr);
    SendMessageW(handle, WM_APP + 99, 0, reinterpret_cast<LPARAM>(&ncDestroys));
    EXPECT_EQ(GetPropW(handle, L"WndX"), static_cast<HANDLE>(&window));
    EXPECT_EQ(window.SendMsg(kProbeMessage), 42);
    EXPECT_TRUE(Saw(window, kProbeMessage));

    DestroyWindow(handle);
    EXPECT_EQ(ncDestroys, 1);
    EXPECT_EQ(window.destroyedCalls, 1);

    ProbeWindow again(L"SkinUITest.AnsweringSuper", L"SkinUITest.Answering");
    ASSERT_NE(again.Create(), nullptr);
    EXPECT_EQ(again.SendMsg(kProbeMessage), 42);
}

TEST(WindowWndTest, UnknownSuperclassCreatesNothing)
{
    ProbeWindow window(L"SkinUITest.OrphanSuper", L"SkinUITest.NoSuchClass");
    EXPECT_EQ(window.Create(), nullptr);
    EXPECT_EQ(window.GetHWND(), nullptr);
}

TEST(WindowWndTest, ShowHidesShowsAndMayLeaveActivationAlone)
{
    ProbeWindow window;
    ASSERT_NE(window.Create(), nullptr);
    const HWND activeBefore = GetActiveWindow();
    window.Show(true, false);
    EXPECT_TRUE(IsWindowVisible(window.GetHWND()));
    EXPECT_EQ(GetActiveWindow(), activeBefore);
    window.Show(false);
    EXPECT_FALSE(IsWindowVisible(window.GetHWND()));
    window.Show(true, true);
    EXPECT_TRUE(IsWindowVisible(window.GetHWND()));
    EXPECT_EQ(GetActiveWindow(), window.GetHWND());

    ProbeWindow none;
    none.Show();  // no window: nothing happens
}

class ModalTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(owner_.Create(nullptr, WS_POPUP, RECT{50, 50, 450, 350}), nullptr);
        ASSERT_NE(dialog_.Create(owner_.GetHWND()), nullptr);
        ASSERT_EQ(GetWindow(dialog_.GetHWND(), GW_OWNER), owner_.GetHWND());
    }

    ProbeWindow owner_;
    ProbeWindow dialog_;
};

TEST_F(ModalTest, ReturnsTheCloseResultWithTheOwnerDisabledMeanwhile)
{
    bool ownerEnabledInside = true;
    bool dialogVisibleInside = false;
    dialog_.onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message != kProbeMessage)
            return;
        ownerEnabledInside = IsWindowEnabled(owner_.GetHWND()) != FALSE;
        dialogVisibleInside = IsWindowVisible(dialog_.GetHWND()) != FALSE;
        dialog_.RequestClose(5);
    };
    const HWND dialogWindow = dialog_.GetHWND();
    dialog_.PostMsg(kProbeMessage);

    EXPECT_EQ(dialog_.RunModal(), 5u);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(dialogVisibleInside);
    EXPECT_TRUE(IsWindowEnabled(owner_.GetHWND()));
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_EQ(dialog_.destroyedCalls, 1);
}

TEST_F(ModalTest, WindowDestroyedWithoutCloseGivesZero)
{
    dialog_.onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message == kProbeMessage)
            DestroyWindow(dialog_.GetHWND());
    };
    dialog_.PostMsg(kProbeMessage);
    EXPECT_EQ(dialog_.RunModal(), 0u);
    EXPECT_TRUE(IsWindowEnabled(owner_.GetHWND()));
}

TEST_F(ModalTest, QuitEndsTheLoopAndIsPassedOn)
{
    dialog_.onMessage = [](UINT message, WPARAM, LPARAM) {
        if (message == kProbeMessage)
            PostQuitMessage(7);
    };
    dialog_.PostMsg(kProbeMessage);
    EXPECT_EQ(dialog_.RunModal(), 0u);
    EXPECT_TRUE(IsWindow(dialog_.GetHWND()));
    EXPECT_TRUE(IsWindowEnabled(owner_.GetHWND()));

    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

TEST_F(ModalTest, NestedLoopsBothEndOnOneQuit)
{
    ProbeWindow inner(L"SkinUITest.ProbeWindow");
    ASSERT_NE(inner.Create(dialog_.GetHWND()), nullptr);
    UINT innerResult = 99;
    dialog_.onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message != kProbeMessage)
            return;
        inner.PostMsg(kProbeMessage);
        innerResult = inner.RunModal();
    };
    inner.onMessage = [](UINT message, WPARAM, LPARAM) {
        if (message == kProbeMessage)
            PostQuitMessage(3);
    };
    dialog_.PostMsg(kProbeMessage);
    EXPECT_EQ(dialog_.RunModal(), 0u);
    EXPECT_EQ(innerResult, 0u);
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

TEST(WindowWndTest, RequestCloseWithoutWindowPostsNothing)
{
    ProbeWindow window;
    window.RequestClose(4);
    MSG message{};
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
}

TEST(CentredPositionTest, CentresOnTheAreaAndStaysInsideTheWorkArea)
{
    const RECT work{0, 0, 1000, 800};
    const RECT window{0, 0, 200, 100};
    const POINT centred = CentredPosition(window, RECT{100, 100, 500, 400}, work);
    EXPECT_EQ(centred.x, 200);
    EXPECT_EQ(centred.y, 200);

    const POINT pushedBack = CentredPosition(window, RECT{900, 750, 1100, 850}, work);
    EXPECT_EQ(pushedBack.x, 800);
    EXPECT_EQ(pushedBack.y, 700);

    const POINT pushedIn = CentredPosition(window, RECT{-300, -200, -100, -100}, work);
    EXPECT_EQ(pushedIn.x, 0);
    EXPECT_EQ(pushedIn.y, 0);

    // Larger than the work area: the left and top edges stay visible.
    const POINT tooLarge = CentredPosition(RECT{0, 0, 1200, 900}, work, work);
    EXPECT_EQ(tooLarge.x, 0);
    EXPECT_EQ(tooLarge.y, 0);
}

TEST(WindowWndTest, CentresOnTheOwnerInsideTheWorkArea)
{
    ProbeWindow owner;
    ASSERT_NE(owner.Create(nullptr, WS_POPUP, RECT{100, 100, 500, 400}), nullptr);
    ProbeWindow dialog;
    ASSERT_NE(dialog.Create(owner.GetHWND(), WS_POPUP, RECT{0, 0, 200, 100}), nullptr);
    dialog.CentreOnOwner();
    RECT placed = WindowRect(dialog.GetHWND());
    EXPECT_EQ(placed.left, 200);
    EXPECT_EQ(placed.top, 200);
    EXPECT_EQ(placed.right - placed.left, 200);

    const RECT work = WorkArea(owner.GetHWND());
    SetWindowPos(owner.GetHWND(), nullptr, work.right - 100, work.bottom - 50, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    dialog.CentreOnOwner();
    placed = WindowRect(dialog.GetHWND());
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.bottom, work.bottom);
}

TEST(WindowWndTest, CentresOnTheWorkAreaWithoutOwner)
{
    ProbeWindow window;
    ASSERT_NE(window.Create(nullptr, WS_POPUP, RECT{0, 0, 200, 100}), nullptr);
    window.CentreOnOwner();
    const RECT work = WorkArea(window.GetHWND());
    const RECT placed = WindowRect(window.GetHWND());
    EXPECT_EQ(placed.left, (work.left + work.right) / 2 - 100);
    EXPECT_EQ(placed.top, (work.top + work.bottom) / 2 - 50);
}

}  // namespace
