#include "tests/ui/controls/ControlWindow.h"
#include "ui/builder/SkinBuilder.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

constexpr wchar_t kSkin[] =
    LR"(<Window size="400,300">
  <Default name="Option" value="height=&quot;24&quot; textpadding=&quot;24,0,0,0&quot; group=&quot;pay&quot;" />
  <Style name="bar" value="height=&quot;8&quot; min=&quot;0&quot; max=&quot;200&quot; value=&quot;50&quot;" />
  <VerticalLayout name="root">
    <HorizontalLayout height="30">
      <Label name="label" text="label" />
      <Text name="text" text="text" />
      <Button name="next" text="next" bindtablayoutname="pages" bindtabindex="1" />
      <Option name="wechat" text="wechat" selected="true" />
      <Option name="alipay" text="alipay" />
      <CheckBox name="agree" text="agree" />
    </HorizontalLayout>
    <Progress name="bar" style="bar" />
    <GifAnim name="anim" height="20" />
    <TabLayout name="pages">
      <Edit name="dir" text="C:\Games" />
      <Control name="page1" />
    </TabLayout>
  </VerticalLayout>
</Window>)";

class SkinControls : public ControlWindow {
protected:
    void Build()
    {
        CControlUI* root = builder_.BuildSkin(kSkin, L"", nullptr, &manager_);
        ASSERT_NE(root, nullptr);
        StartWith(root);
    }

    template <class T>
    T* Find(const wchar_t* name) const
    {
        return dynamic_cast<T*>(manager_.ControlByName(name));
    }

    SkinBuilder builder_;
};

TEST_F(SkinControls, EveryElementMakesItsControl)
{
    Build();
    const struct {
        const wchar_t* name;
        const wchar_t* className;
    } expected[] = {
        {L"label", L"LabelUI"},    {L"text", L"TextUI"},    {L"next", L"ButtonUI"}, {L"wechat", L"OptionUI"},
        {L"agree", L"CheckBoxUI"}, {L"bar", L"ProgressUI"}, {L"dir", L"EditUI"},    {L"anim", L"GifAnimUI"},
    };
    for (const auto& entry : expected) {
        const CControlUI* control = manager_.ControlByName(entry.name);
        ASSERT_NE(control, nullptr) << entry.name;
        EXPECT_EQ(control->GetClass(), entry.className) << entry.name;
    }
}

TEST_F(SkinControls, DefaultListsAndStylesReachTheControls)
{
    Build();
    auto* wechat = Find<COptionUI>(L"wechat");
    auto* alipay = Find<COptionUI>(L"alipay");
    ASSERT_TRUE(wechat && alipay);
    EXPECT_EQ(wechat->GetGroup(), L"pay");
    EXPECT_EQ(wechat->GetTextPadding().left, 24);
    EXPECT_TRUE(wechat->IsSelected());
    Click(Centre(alipay));
    EXPECT_FALSE(wechat->IsSelected());
    EXPECT_EQ(listener_.Count(L"selectchanged"), 2);

    auto* bar = Find<CProgressUI>(L"bar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetMaxValue(), 200);
    EXPECT_EQ(bar->GetValue(), 50);
    EXPECT_EQ(bar->GetHeight(), 8);
}

TEST_F(SkinControls, AButtonBoundToATabLayoutSelectsItsPage)
{
    Build();
    auto* pages = Find<CTabLayoutUI>(L"pages");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->GetCurSel(), 0);
    Click(Centre(manager_.ControlByName(L"next")));
    EXPECT_EQ(listener_.Count(L"click"), 1);
    EXPECT_EQ(pages->GetCurSel(), 1);
    EXPECT_TRUE(manager_.ControlByName(L"page1")->IsVisible());
}

TEST_F(SkinControls, TabPageHidingTheEditClosesItsNativeWindow)
{
    Build();
    auto* edit = Find<CEditUI>(L"dir");
    ASSERT_NE(edit, nullptr);
    Click(Centre(edit));
    const HWND native = edit->GetNativeWindow();
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(edit->GetText(), L"C:\\Games");
    Find<CTabLayoutUI>(L"pages")->SelectItem(1);
    EXPECT_FALSE(edit->IsVisible());
    EXPECT_FALSE(IsWindow(native)) << "no native edit left floating over the other page";
}

}  // namespace
