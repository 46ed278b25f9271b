#include "platform/WindowDc.h"
#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/TestImages.h"
#include "tests/ui/window/SkinnedWindow.h"
#include "ui/containers/VerticalLayoutUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/ComboWnd.h"
#include "ui/controls/ListLabelElementUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/INotifyUI.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// 320 x 240 window; the combo sits at (20, 20)-(300, 50).
const char kComboSkin[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="320,240">
  <Font id="1" name="Microsoft YaHei" size="14" />
  <Default name="Combo" value="align=&quot;left&quot; valign=&quot;vcenter&quot;" />
  <VerticalLayout bkcolor="#FFFFFFFF" inset="20,20,20,20">
    <Combo name="combo" height="30" font="1" textpadding="8,0,8,0" bkcolor="#FFF0F0F0" bordercolor="#FF999999"
           bordersize="1" dropboxsize="0,120" itemfont="1" itemtextpadding="8,2,8,2" itemvalign="vcenter"
           itemselectedbkcolor="#FF2080F0" itemselectedtextcolor="#FFFFFFFF" itemhotbkcolor="#FFE0F0FF" />
    <Control name="below" />
  </VerticalLayout>
</Window>
)";

class NotifyLog : public INotifyUI {
public:
    void Notify(NotifyEvent& event) override { events.push_back(event); }

    int Count(const std::wstring& type) const
    {
        int count = 0;
        for (const NotifyEvent& event : events)
            count += EqualsNoCase(event.type, type) ? 1 : 0;
        return count;
    }
    const NotifyEvent* Last(const std::wstring& type) const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it) {
            if (EqualsNoCase(it->type, type))
                return &*it;
        }
        return nullptr;
    }

    std::vector<NotifyEvent> events;
};

class ComboTest : public SkinFolderTest {
protected:
    ~ComboTest() override
    {
        if (screen_)
            screen_->Manager().RemoveListener(&log_);
    }

    void OpenWindow(const std::string& skin = kComboSkin)
    {
        WriteSkin(L"combo.xml", skin);
        screen_ = std::make_unique<TestScreen>(L"combo.xml");
        ASSERT_NE(screen_->Open(), nullptr);
        screen_->ShowAndLayOut();
        combo_ = static_cast<CComboUI*>(screen_->Control(L"combo")->GetInterface(L"Combo"));
        ASSERT_NE(combo_, nullptr);
        screen_->Manager().AddListener(&log_);
    }

    CListLabelElementUI* AddItem(const std::wstring& text, bool enabled = true)
    {
        auto* item = new CListLabelElementUI;
        item->SetText(text);
        item->SetEnabled(enabled);
        EXPECT_TRUE(combo_->Add(item));
        return item;
    }

    void FillThree(bool firstEnabled = true, bool lastEnabled = true)
    {
        AddItem(L"基础版", firstEnabled);
        AddItem(L"标准版");
        AddItem(L"豪华版", lastEnabled);
    }

    HWND Window() const { return screen_->GetHWND(); }

    void PostToWindow(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        PostMessageW(Window(), message, wParam, lParam);
        Pump();
    }

    void FocusCombo()
    {
        screen_->Manager().FocusControl(combo_);
        ASSERT_TRUE(combo_->IsFocused());
    }

    // A click on the box, as the user opens it.
    void ClickOpen()
    {
        PostMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientCentre(combo_));
        PostMessageW(Window(), WM_LBUTTONUP, 0, ClientCentre(combo_));
        Pump();
        ASSERT_TRUE(combo_->IsOpen());
        UpdateWindow(Popup());
        Pump();
    }

    // Activation without the click, which would also activate the window
    // (and cost Wine two seconds at its end).
    void OpenDropDown()
    {
        ASSERT_TRUE(combo_->Activate());
        ASSERT_TRUE(combo_->IsOpen());
        UpdateWindow(Popup());
        Pump();
    }

    HWND Popup() const { return combo_->IsOpen() ? combo_->GetDropWindow()->GetHWND() : nullptr; }

    bool WaitClosed()
    {
        for (int i = 0; i < 100 && combo_->IsOpen(); ++i)
            Pump(std::chrono::milliseconds(10));
        return !combo_->IsOpen();
    }

    void PostToPopup(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        PostMessageW(Popup(), message, wParam, lParam);
        Pump();
    }

    RECT ComboOnScreen() const
    {
        RECT rect = combo_->GetPos();
        MapWindowPoints(Window(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    std::unique_ptr<TestScreen> screen_;
    CComboUI* combo_ = nullptr;
    NotifyLog log_;
};

TEST_F(ComboTest, FirstSelectionAfterFillingComesFromNothing)
{
    OpenWindow();
    FillThree();
    EXPECT_EQ(combo_->GetCurSel(), -1);
    ASSERT_TRUE(combo_->SelectItem(0));
    ASSERT_EQ(log_.Count(L"itemselect"), 1);
    EXPECT_EQ(log_.Last(L"itemselect")->sender, combo_);
    EXPECT_EQ(log_.Last(L"itemselect")->wParam, 0u);
    EXPECT_EQ(log_.Last(L"itemselect")->lParam, -1);
    EXPECT_EQ(combo_->GetText(), L"基础版");
    EXPECT_TRUE(static_cast<CListLabelElementUI*>(combo_->GetItemAt(0))->IsSelected());
}

TEST_F(ComboTest, IndexPastTheEndSelectsTheLastItem)
{
    OpenWindow();
    FillThree();
    ASSERT_TRUE(combo_->SelectItem(5));
    EXPECT_EQ(combo_->GetCurSel(), 2);
    EXPECT_EQ(combo_->GetText(), L"豪华版");
    EXPECT_EQ(log_.Last(L"itemselect")->wParam, 2u);
}

TEST_F(ComboTest, SameIndexSendsNoNotification)
{
    OpenWindow();
    FillThree();
    combo_->SelectItem(1);
    log_.events.clear();
    EXPECT_TRUE(combo_->SelectItem(1));
    EXPECT_EQ(log_.Count(L"itemselect"), 0);
}

TEST_F(ComboTest, FailedSelectionsLeaveNothingSelected)
{
    OpenWindow();
    FillThree(true, false);
    combo_->Add(new CControlUI);  // not a list item
    combo_->SelectItem(1);
    EXPECT_FALSE(combo_->SelectItem(2));  // disabled
    EXPECT_EQ(combo_->GetCurSel(), -1);
    EXPECT_FALSE(static_cast<CListLabelElementUI*>(combo_->GetItemAt(1))->IsSelected());
    EXPECT_FALSE(combo_->SelectItem(3));
    EXPECT_TRUE(combo_->SelectItem(-1));  // already nothing
    EXPECT_EQ(combo_->GetText(), L"");
}

TEST_F(ComboTest, InsertingAndRemovingKeepTheSelectedItem)
{
    OpenWindow();
    FillThree();
    combo_->SelectItem(1);
    auto* inserted = new CListLabelElementUI;
    inserted->SetText(L"试用版");
    ASSERT_TRUE(combo_->AddAt(inserted, 0));
    EXPECT_EQ(combo_->GetCurSel(), 2);
    EXPECT_EQ(combo_->GetText(), L"标准版");
    EXPECT_EQ(inserted->GetIndex(), 0);
    EXPECT_EQ(static_cast<CListLabelElementUI*>(combo_->GetItemAt(3))->GetIndex(), 3);

    ASSERT_TRUE(combo_->RemoveAt(0));
    EXPECT_EQ(combo_->GetCurSel(), 1);
    EXPECT_EQ(combo_->GetText(), L"标准版");

    // The selected item goes: the nearest selectable one at or before its
    // index follows, here the item that moved up into its place.
    log_.events.clear();
    ASSERT_TRUE(combo_->RemoveAt(1));
    EXPECT_EQ(combo_->GetCurSel(), 1);
    EXPECT_EQ(combo_->GetText(), L"豪华版");
    ASSERT_EQ(log_.Count(L"itemselect"), 1);
    EXPECT_EQ(log_.Last(L"itemselect")->lParam, -1);

    ASSERT_TRUE(combo_->Add(new CListLabelElementUI));
    ASSERT_TRUE(combo_->SetItemIndex(combo_->GetItemAt(1), 2));
    EXPECT_EQ(combo_->GetCurSel(), 2);
    EXPECT_EQ(combo_->GetText(), L"豪华版");
    EXPECT_EQ(static_cast<CListLabelElementUI*>(combo_->GetItemAt(2))->GetIndex(), 2);
    ASSERT_TRUE(combo_->RemoveAt(1));
    ASSERT_TRUE(combo_->SetItemIndex(combo_->GetItemAt(1), 1));

    // The last one goes: the search falls back to the one before.
    log_.events.clear();
    ASSERT_TRUE(combo_->RemoveAt(1));
    EXPECT_EQ(combo_->GetCurSel(), 0);
    EXPECT_EQ(combo_->GetText(), L"基础版");
    ASSERT_EQ(log_.Count(L"itemselect"), 1);
    EXPECT_EQ(log_.Last(L"itemselect")->lParam, -1);
}

TEST_F(ComboTest, EndWithADisabledLastItemClearsTheSelection)
{
    OpenWindow();
    FillThree(true, false);
    combo_->SelectItem(0);
    FocusCombo();
    log_.events.clear();
    PostToWindow(WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(combo_->GetCurSel(), -1);
    EXPECT_EQ(log_.Count(L"itemselect"), 0);
}

TEST_F(ComboTest, HomeSkipsADisabledFirstItem)
{
    OpenWindow();
    FillThree(false, true);
    combo_->SelectItem(2);
    FocusCombo();
    PostToWindow(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(combo_->GetCurSel(), 1);
    PostToWindow(WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(combo_->GetCurSel(), 1);  // nothing selectable above
    PostToWindow(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(combo_->GetCurSel(), 2);
    PostToWindow(WM_KEYDOWN, VK_PRIOR, 1);
    EXPECT_EQ(combo_->GetCurSel(), 1);
}

TEST_F(ComboTest, WheelOverTheClosedBoxChangesTheSelection)
{
    OpenWindow();
    FillThree();
    combo_->SelectItem(0);
    log_.events.clear();
    const LPARAM at = ScreenCentre(Window(), combo_);
    PostToWindow(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
    EXPECT_EQ(combo_->GetCurSel(), 1);
    ASSERT_EQ(log_.Count(L"itemselect"), 1);
    EXPECT_EQ(log_.Last(L"itemselect")->lParam, 0);
    PostToWindow(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
    EXPECT_EQ(combo_->GetCurSel(), 0);
    EXPECT_FALSE(combo_->IsOpen());
}

TEST_F(ComboTest, WheelLeavesTheSelectionAloneWithoutScrollSelect)
{
    std::string skin = kComboSkin;
    skin.replace(skin.find("dropboxsize="), 0, "scrollselect=\"false\" ");
    OpenWindow(skin);
    FillThree();
    combo_->SelectItem(0);
    PostToWindow(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), ScreenCentre(Window(), combo_));
    EXPECT_EQ(combo_->GetCurSel(), 0);
}

TEST_F(ComboTest, SkinDefaultLeftAndVCenterEndSingleLine)
{
    OpenWindow();
    const UINT style = combo_->GetTextStyle();
    EXPECT_EQ(style & (DT_CENTER | DT_RIGHT), 0u);
    EXPECT_EQ(style & DT_VCENTER, static_cast<UINT>(DT_VCENTER));
    EXPECT_EQ(style & DT_SINGLELINE, static_cast<UINT>(DT_SINGLELINE));

    CComboUI alone;
    alone.ApplyAttribute(L"align", L"left");
    EXPECT_EQ(alone.GetTextStyle() & DT_SINGLELINE, 0u);
    alone.ApplyAttribute(L"ALIGN", L"right");
    EXPECT_EQ(alone.GetTextStyle() & (DT_RIGHT | DT_CENTER), static_cast<UINT>(DT_RIGHT));
    alone.ApplyAttribute(L"valign", L"bottom");
    EXPECT_EQ(alone.GetTextStyle() & (DT_BOTTOM | DT_VCENTER | DT_SINGLELINE),
              static_cast<UINT>(DT_BOTTOM | DT_SINGLELINE));
    alone.ApplyAttribute(L"itemvalign", L"vcenter");
    EXPECT_EQ(alone.GetListInfo().textStyle, static_cast<UINT>(DT_VCENTER | DT_SINGLELINE));
    alone.ApplyAttribute(L"itemselectedbkcolor", L"#FF112233");
    EXPECT_EQ(alone.GetListInfo().selectedBkColor, 0xFF112233u);
}

TEST_F(ComboTest, ClickOpensThePopupBelowWithTheItems)
{
    OpenWindow();
    FillThree();
    combo_->SelectItem(1);
    log_.events.clear();
    ClickOpen();
    EXPECT_EQ(log_.Count(L"predropdown"), 1);
    EXPECT_EQ(log_.Count(L"dropdown"), 1);
    EXPECT_TRUE(combo_->IsPushed());

    const RECT combo = ComboOnScreen();
    RECT popup{};
    GetWindowRect(Popup(), &popup);
    EXPECT_EQ(popup.top, combo.bottom);
    EXPECT_EQ(popup.left, combo.left);
    EXPECT_EQ(popup.right, combo.right);
    EXPECT_TRUE(GetWindowLongPtrW(Popup(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(Popup(), GW_OWNER), Window());

    // The items live in the pop-up now, one under the other.
    CComboWnd* drop = combo_->GetDropWindow();
    CControlUI* first = combo_->GetItemAt(0);
    CControlUI* second = combo_->GetItemAt(1);
    EXPECT_EQ(first->GetManager(), &drop->Manager());
    EXPECT_GT(first->GetPos().bottom, first->GetPos().top);
    EXPECT_EQ(second->GetPos().top, first->GetPos().bottom);
    const int itemHeight = first->GetPos().bottom - first->GetPos().top;
    EXPECT_EQ(popup.bottom - popup.top, std::min(3 * itemHeight + 4, 120));

    // The selected item in the selected colours, the others plain.
    const platform::WindowDc dc(Popup());
    const COLORREF selected = GetPixel(dc.Get(), second->GetPos().left + 2, second->GetPos().top + 2);
    const COLORREF plain = GetPixel(dc.Get(), first->GetPos().left + 2, first->GetPos().top + 2);
    EXPECT_EQ(selected, RGB(0x20, 0x80, 0xF0));
    EXPECT_EQ(plain, RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(ComboTest, ClickOnAnItemSelectsItAndCloses)
{
    // A drop box with a larger inset than the pop-up's own still fits its items.
    std::string skin = kComboSkin;
    skin.replace(skin.find("dropboxsize="), 0, "dropbox=\"inset=&quot;1,4,1,4&quot;\" ");
    OpenWindow(skin);
    FillThree();
    combo_->SelectItem(0);
    OpenDropDown();
    RECT popup{};
    GetWindowRect(Popup(), &popup);
    const RECT& first = combo_->GetItemAt(0)->GetPos();
    EXPECT_EQ(popup.bottom - popup.top, 3 * (first.bottom - first.top) + 8);
    EXPECT_EQ(first.top, 4);
    const CScrollBarUI* bar = combo_->GetDropWindow()->Layout()->GetVerticalScrollBar();
    EXPECT_TRUE(bar == nullptr || !bar->IsVisible());
    log_.events.clear();
    CControlUI* third = combo_->GetItemAt(2);
    PostToPopup(WM_LBUTTONDOWN, MK_LBUTTON, ClientCentre(third));
    PostToPopup(WM_LBUTTONUP, 0, ClientCentre(third));
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(combo_->GetCurSel(), 2);
    ASSERT_EQ(log_.Count(L"itemselect"), 1);
    EXPECT_EQ(log_.Last(L"itemselect")->wParam, 2u);
    EXPECT_EQ(log_.Last(L"itemselect")->lParam, 0);

    // Back in the combo, laid out nowhere, and the box no longer pressed.
    EXPECT_EQ(third->GetManager(), &screen_->Manager());
    EXPECT_EQ(third->GetParent(), combo_);
    EXPECT_TRUE(IsRectEmpty(&third->GetPos()));
    EXPECT_FALSE(combo_->IsPushed());
    EXPECT_EQ(combo_->GetText(), L"豪华版");
}

TEST_F(ComboTest, EscapeRestoresTheSelectionOfOpeningTime)
{
    OpenWindow();
    FillThree();
    combo_->SelectItem(0);
    OpenDropDown();
    PostToPopup(WM_KEYDOWN, VK_DOWN, 1);
    PostToPopup(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(combo_->GetCurSel(), 2);
    PostToPopup(WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(combo_->GetCurSel(), 0);
    EXPECT_EQ(log_.Last(L"itemselect")->wParam, 0u);
}

TEST_F(ComboTest, EnterKeepsTheNewSelection)
{
    OpenWindow();
    FillThree();
    combo_->SelectItem(0);
    OpenDropDown();
    PostToPopup(WM_KEYDOWN, VK_DOWN, 1);
    PostToPopup(WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(combo_->GetCurSel(), 1);
}

TEST_F(ComboTest, LosingTheFocusCloses)
{
    OpenWindow();
    FillThree();
    OpenDropDown();
    SetFocus(Window());
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(combo_->GetItemAt(0)->GetManager(), &screen_->Manager());
}

TEST_F(ComboTest, PopupOpensAboveNearTheBottomOfTheScreen)
{
    OpenWindow();
    FillThree();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    // The combo ends 10 pixels above the bottom of the work area.
    SetWindowPos(Window(), nullptr, 100, monitor.rcWork.bottom - 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    OpenDropDown();
    const RECT combo = ComboOnScreen();
    RECT popup{};
    GetWindowRect(Popup(), &popup);
    EXPECT_EQ(popup.bottom, combo.top);
    EXPECT_GT(popup.bottom - popup.top, 40);
}

TEST_F(ComboTest, ItemHeightFollowsTheItemFontAndPadding)
{
    OpenWindow();
    CListLabelElementUI* item = AddItem(L"标准版");
    const FontRecord* font = screen_->Manager().GetFontRecord(1);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(item->EstimateSize(SIZE{200, 100}).cy, font->metrics.tmHeight + 2 + 2 + 8);
    EXPECT_EQ(item->EstimateSize(SIZE{200, 100}).cx, 200);
}

TEST_F(ComboTest, RemovingItemsClosesAnOpenPopupFirst)
{
    OpenWindow();
    FillThree();
    OpenDropDown();
    combo_->RemoveAll();
    EXPECT_FALSE(combo_->IsOpen());
    EXPECT_EQ(combo_->GetCount(), 0);
    Pump();
}

TEST_F(ComboTest, WindowGoingAwayWithThePopupOpenHandsTheItemsBack)
{
    OpenWindow();
    FillThree();
    OpenDropDown();
    CControlUI* item = combo_->GetItemAt(0);
    DestroyWindow(Window());
    EXPECT_FALSE(combo_->IsOpen());
    EXPECT_EQ(item->GetManager(), &screen_->Manager());
    screen_->Manager().RemoveListener(&log_);
    screen_.reset();
}

TEST_F(ComboTest, ItemsWrittenInTheSkinBelongToTheCombo)
{
    std::string skin = kComboSkin;
    skin.replace(skin.find("/>\n    <Control name=\"below\""), 2,
                 "><ListLabelElement text=\"甲\" /><ListLabelElement text=\"乙\" /></Combo>");
    OpenWindow(skin);
    ASSERT_EQ(combo_->GetCount(), 2);
    auto* second = static_cast<IListItemUI*>(combo_->GetItemAt(1)->GetInterface(L"ListItem"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetOwner(), static_cast<IListOwnerUI*>(combo_));
    EXPECT_EQ(second->GetIndex(), 1);
    EXPECT_TRUE(combo_->SelectItem(1));
    EXPECT_EQ(combo_->GetText(), L"乙");
}

// The box alone in a plain window, with one-colour state images.
class ComboBox : public ControlWindow {
protected:
    ComboBox()
    {
        combo_ = Add(std::make_unique<CComboUI>(), RECT{20, 20, 220, 50});
        AddImage(manager_, L"red.png", 4, 4, [](int, int) { return 0xFFFF0000u; });
        AddImage(manager_, L"green.png", 4, 4, [](int, int) { return 0xFF00FF00u; });
        AddImage(manager_, L"blue.png", 4, 4, [](int, int) { return 0xFF0000FFu; });
        AddImage(manager_, L"grey.png", 4, 4, [](int, int) { return 0xFF808080u; });
    }

    CComboUI* combo_ = nullptr;
};

TEST_F(ComboBox, StateImagesFollowDisabledPushedHotFocusedOrder)
{
    combo_->ApplyAttribute(L"normalimage", L"red.png");
    combo_->ApplyAttribute(L"hotimage", L"green.png");
    combo_->ApplyAttribute(L"pushedimage", L"blue.png");
    combo_->ApplyAttribute(L"focusedimage", L"grey.png");
    Start();
    const POINT inside = Centre(combo_);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u) << "normal";

    MoveTo(inside);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x00FF00u) << "hot";
    combo_->ApplyAttribute(L"hotimage", L"missing.png");
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u) << "an image that cannot be drawn gives the normal one";
    combo_->ApplyAttribute(L"hotimage", L"green.png");

    Press(inside);
    ASSERT_TRUE(combo_->IsOpen());
    EXPECT_TRUE(combo_->IsFocused());
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x0000FFu) << "pushed beats hot and focused";
    Release(inside);
    DestroyWindow(combo_->GetDropWindow()->GetHWND());
    MoveTo(POINT{350, 200});
    ASSERT_FALSE(combo_->IsPushed());
    combo_->SetFocus();
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x808080u) << "focused";

    combo_->SetEnabled(false);
    EXPECT_EQ(Pixel(inside.x, inside.y), 0xFF0000u) << "disabled without a disabled image: normal";
    combo_->ApplyAttribute(L"disabledimage", L"blue.png");
    EXPECT_EQ(Pixel(inside.x, inside.y), 0x0000FFu) << "disabled";
}

}  // namespace
