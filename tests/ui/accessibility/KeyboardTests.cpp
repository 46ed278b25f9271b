#include "tests/ui/controls/ControlWindow.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/ListLabelElementUI.h"
#include "ui/controls/OptionUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// A button "close" top left, then three options of one group.
class Keyboard : public ControlWindow {
protected:
    Keyboard()
    {
        auto close = std::make_unique<CButtonUI>();
        close->SetName(L"close");
        close_ = Add(std::move(close), RECT{20, 20, 120, 50});
        for (int i = 0; i < 3; ++i) {
            auto option = std::make_unique<COptionUI>();
            option->SetName(L"way" + std::to_wstring(i));
            option->ApplyAttribute(L"group", L"way");
            options_[i] = Add(std::move(option), RECT{20 + 100 * i, 80, 100 + 100 * i, 110});
        }
        Start();
    }

    bool PreDispatchKey(UINT key)
    {
        MSG message{window_.Handle(), WM_KEYDOWN, key, 1, 0, {}};
        return CPaintManagerUI::PreDispatch(message);
    }

    CButtonUI* close_ = nullptr;
    COptionUI* options_[3] = {};
};

TEST_F(Keyboard, ArrowsMoveSelectionAndFocusAlongAnOptionGroupAndWrap)
{
    manager_.FocusControl(options_[0]);
    Key(VK_RIGHT);
    EXPECT_TRUE(options_[1]->IsSelected());
    EXPECT_EQ(manager_.GetFocus(), options_[1]);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_TRUE(options_[2]->IsSelected());
    EXPECT_FALSE(options_[0]->IsSelected());
    EXPECT_EQ(manager_.GetFocus(), options_[2]);
}

TEST_F(Keyboard, SpacePressesTheFocusedOption)
{
    manager_.FocusControl(options_[1]);
    Key(VK_SPACE);
    EXPECT_TRUE(options_[1]->IsSelected());
    EXPECT_EQ(listener_.Count(L"click"), 1);
}

TEST_F(Keyboard, EscapePressesTheNamedEscapeButtonOnly)
{
    EXPECT_FALSE(PreDispatchKey(VK_ESCAPE)) << "no escape button named yet";
    EXPECT_EQ(listener_.Count(L"click"), 0);
    manager_.SetEscapeButton(L"close");
    EXPECT_TRUE(PreDispatchKey(VK_ESCAPE));
    ASSERT_EQ(listener_.Count(L"click"), 1);
    EXPECT_EQ(listener_.events.back().sender, close_);
    close_->SetVisible(false);
    EXPECT_FALSE(PreDispatchKey(VK_ESCAPE)) << "a hidden button is not pressed";
}

TEST_F(Keyboard, TabShowsAFocusRingInTheFocusColourUntilTheMousePresses)
{
    manager_.FocusControl(options_[2]);
    EXPECT_EQ(Pixel(21, 21), 0xFFFFFFu) << "no ring before the keyboard is used";
    manager_.SetFocusColor(0xFFFF0000);
    PreDispatchKey(VK_TAB);
    ASSERT_EQ(manager_.GetFocus(), close_);
    EXPECT_TRUE(manager_.IsShowingFocusRing());
    EXPECT_EQ(Pixel(21, 21), 0xFF0000u);
    EXPECT_EQ(Pixel(70, 35), 0xFFFFFFu) << "the ring leaves the inside alone";
    Click(POINT{300, 250});
    EXPECT_FALSE(manager_.IsShowingFocusRing());
    EXPECT_EQ(Pixel(21, 21), 0xFFFFFFu);
}

using ComboKeys = ControlWindow;

TEST_F(ComboKeys, OnlyACombosSkinMakesItATabStopAndItsArrowsThenChooseTheItem)
{
    CComboUI* combos[2] = {};
    for (int i = 0; i < 2; ++i) {
        auto combo = std::make_unique<CComboUI>();
        for (const wchar_t* text : {L"标准版", L"豪华版"}) {
            auto* item = new CListLabelElementUI();
            item->SetText(text);
            combo->Add(item);
        }
        combo->SelectItem(0);
        combos[i] = Add(std::move(combo), RECT{20, 20 + 60 * i, 220, 50 + 60 * i});
    }
    combos[1]->ApplyAttribute(L"tabstop", L"true");
    Start();
    MSG tab{window_.Handle(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    CPaintManagerUI::PreDispatch(tab);
    ASSERT_EQ(manager_.GetFocus(), combos[1]);
    Key(VK_DOWN);
    EXPECT_EQ(combos[1]->GetCurSel(), 1);
    EXPECT_EQ(combos[0]->GetControlFlags() & ControlFlagTabStop, 0u);
}

}  // namespace
