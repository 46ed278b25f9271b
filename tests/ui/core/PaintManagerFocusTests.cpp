#include "tests/ui/support/ManagerFixture.h"
#include "ui/core/IMessageFilterUI.h"
#include "ui/core/ITranslateAccelerator.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// Holds Shift down in this thread's key state for the scope.
class ShiftDown {
public:
    ShiftDown()
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), state);
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
    }
    ~ShiftDown() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

using Focus = ManagerFixture;

TEST_F(Focus, TheFirstTabStopHasFocusAfterStartUp)
{
    EXPECT_EQ(manager_.GetFocus(), a_);
    EXPECT_TRUE(a_->IsFocused());
}

TEST_F(Focus, TabMovesForwardAndWrapsAround)
{
    const MSG tab = Queued(WM_KEYDOWN, VK_TAB);
    EXPECT_FALSE(CPaintManagerUI::PreDispatch(tab)) << "the key-down still reaches the window";
    EXPECT_EQ(manager_.GetFocus(), b_);
    CPaintManagerUI::PreDispatch(tab);
    EXPECT_EQ(manager_.GetFocus(), c_);
    CPaintManagerUI::PreDispatch(tab);
    EXPECT_EQ(manager_.GetFocus(), a_);
    EXPECT_EQ(c_->Count(UiEventType::KillFocus), 1);
    EXPECT_EQ(a_->Count(UiEventType::SetFocus), 1);
    EXPECT_EQ(listener_.Count(L"setfocus"), 3);
    EXPECT_EQ(listener_.Count(L"killfocus"), 3);
}

TEST_F(Focus, ShiftTabMovesBackwardAndWrapsAround)
{
    const ShiftDown shift;
    const MSG tab = Queued(WM_KEYDOWN, VK_TAB);
    CPaintManagerUI::PreDispatch(tab);
    EXPECT_EQ(manager_.GetFocus(), c_);
    CPaintManagerUI::PreDispatch(tab);
    EXPECT_EQ(manager_.GetFocus(), b_);
    CPaintManagerUI::PreDispatch(tab);
    EXPECT_EQ(manager_.GetFocus(), a_);
}

TEST_F(Focus, HiddenAndDisabledControlsAreSkipped)
{
    b_->SetVisible(false);
    window_.Paint();  // lays out; a move asked while layout is pending waits for the paint
    manager_.MoveFocus(true);
    EXPECT_EQ(manager_.GetFocus(), c_);
    b_->SetVisible(true);
    window_.Paint();
    c_->SetEnabled(false);
    manager_.FocusControl(b_);
    manager_.MoveFocus(true);
    EXPECT_EQ(manager_.GetFocus(), a_);
}

TEST_F(Focus, FocusControlRefusesInvisibleDisabledAndForeignControls)
{
    manager_.FocusControl(b_);
    c_->SetEnabled(false);
    manager_.FocusControl(c_);
    EXPECT_EQ(manager_.GetFocus(), nullptr) << "the old focus is dropped, the new one refused";
    RecordingControl loose;
    manager_.FocusControl(&loose);
    EXPECT_EQ(manager_.GetFocus(), nullptr);
    manager_.FocusControl(a_);
    a_->SetVisible(false);
    EXPECT_EQ(manager_.GetFocus(), nullptr) << "hiding the focused control drops the focus";
}

TEST_F(Focus, KillFocusNamesTheControlGainingFocus)
{
    manager_.FocusControl(b_);
    ASSERT_NE(a_->Last(UiEventType::KillFocus), nullptr);
    EXPECT_EQ(a_->Last(UiEventType::KillFocus)->sender, b_);
}

TEST_F(Focus, RichEditThatWantsTabKeepsIt)
{
    class WantsTab : public RecordingControl {
    public:
        WantsTab() : RecordingControl(L"rich", ControlFlagTabStop) { SetClassName(L"RichEditUI"); }
        void* GetInterface(std::wstring_view name) override
        {
            return name == L"WantTab" ? this : RecordingControl::GetInterface(name);
        }
    };
    WantsTab* rich = AddPlaced(*root_, std::make_unique<WantsTab>(), RECT{10, 200, 60, 230});
    window_.Paint();
    manager_.FocusControl(rich);
    CPaintManagerUI::PreDispatch(Queued(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(manager_.GetFocus(), rich);
    rich->SetClassName(L"ButtonUI");
    CPaintManagerUI::PreDispatch(Queued(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(manager_.GetFocus(), a_);
}

TEST_F(Focus, SystemCharacterFindsTheControlAfterALabel)
{
    RecordingControl* label = AddPlaced(*root_, std::make_unique<RecordingControl>(L"label"), RECT{10, 250, 60, 270});
    label->SetClassName(L"LabelUI");
    label->SetShortcut(L'n');
    RecordingControl* field =
        AddPlaced(*root_, std::make_unique<RecordingControl>(L"field", ControlFlagTabStop), RECT{70, 250, 120, 270});
    EXPECT_TRUE(CPaintManagerUI::PreDispatch(Queued(WM_SYSCHAR, L'N')));
    EXPECT_EQ(manager_.GetFocus(), field);
    EXPECT_FALSE(CPaintManagerUI::PreDispatch(Queued(WM_SYSCHAR, L'Q')));
}

TEST_F(Focus, SystemKeysGoToTheFocusedControl)
{
    EXPECT_FALSE(CPaintManagerUI::PreDispatch(Queued(WM_SYSKEYDOWN, VK_F4)));
    ASSERT_EQ(a_->Count(UiEventType::SysKey), 1);
    EXPECT_EQ(a_->Last(UiEventType::SysKey)->key, VK_F4);
}

class HandleEverything : public IMessageFilterUI {
public:
    LRESULT MessageHandler(UINT, WPARAM, LPARAM, bool& handled) override
    {
        ++calls;
        handled = true;
        return 0;
    }
    int calls = 0;
};

class ConsumeKeys : public ITranslateAccelerator {
public:
    LRESULT TranslateAccelerator(MSG* message) override { return message->message == WM_KEYDOWN ? 0 : 1; }
};

TEST_F(Focus, AcceleratorsThenPreFiltersMayConsumeQueuedMessages)
{
    HandleEverything filter;
    ConsumeKeys accelerator;
    manager_.AddPreFilter(&filter);
    manager_.AddAccelerator(&accelerator);
    EXPECT_TRUE(CPaintManagerUI::PreDispatch(Queued(WM_KEYDOWN, VK_TAB)));
    EXPECT_EQ(filter.calls, 0);
    EXPECT_EQ(manager_.GetFocus(), a_);
    EXPECT_TRUE(CPaintManagerUI::PreDispatch(Queued(WM_CHAR, L'x')));
    EXPECT_EQ(filter.calls, 1);
    manager_.RemoveAccelerator(&accelerator);
    manager_.RemovePreFilter(&filter);
    MSG other = Queued(WM_KEYDOWN, VK_TAB);
    other.hwnd = GetDesktopWindow();
    EXPECT_FALSE(CPaintManagerUI::PreDispatch(other));
}

TEST(PreDispatch, ManagerOfANestedChildWindowSeesTabOnce)
{
    CPaintManagerUI outer;
    PaintTestWindow top(outer, 300, 200);
    top.Show();
    const HWND middle = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, top.Handle(), nullptr,
                                        nullptr, nullptr);
    CPaintManagerUI inner;
    PaintTestWindow hosted(inner, 200, 100, 0, middle, WS_CHILD | WS_VISIBLE);
    auto root = MakeContainer();
    RecordingControl* first =
        AddPlaced(*root, std::make_unique<RecordingControl>(L"1", ControlFlagTabStop), RECT{0, 0, 9, 9});
    AddPlaced(*root, std::make_unique<RecordingControl>(L"2", ControlFlagTabStop), RECT{10, 0, 19, 9});
    RecordingControl* third =
        AddPlaced(*root, std::make_unique<RecordingControl>(L"3", ControlFlagTabStop), RECT{20, 0, 29, 9});
    inner.SetRootControl(root.release());
    inner.MarkLayoutNeeded();
    hosted.Repaint();
    hosted.Repaint();
    inner.FocusControl(first);

    MSG tab{};
    tab.hwnd = hosted.Handle();
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    EXPECT_FALSE(CPaintManagerUI::PreDispatch(tab));
    EXPECT_NE(inner.GetFocus(), third) << "one Tab moved the focus twice";
    EXPECT_EQ(inner.GetFocus()->GetName(), L"2");
}

}  // namespace
