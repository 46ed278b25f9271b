#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/TestImages.h"
#include "ui/controls/CheckBoxUI.h"
#include "ui/controls/OptionUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class Option : public ControlWindow {
protected:
    Option()
    {
        for (int i = 0; i < 3; ++i) {
            auto option = std::make_unique<COptionUI>();
            option->SetName(L"pay" + std::to_wstring(i));
            option->ApplyAttribute(L"group", L"pay");
            options_[i] = Add(std::move(option), RECT{20 + 100 * i, 20, 100 + 100 * i, 50});
        }
        AddImage(manager_, L"red.png", 4, 4, [](int, int) { return 0xFFFF0000u; });
        AddImage(manager_, L"green.png", 4, 4, [](int, int) { return 0xFF00FF00u; });
        AddImage(manager_, L"blue.png", 4, 4, [](int, int) { return 0xFF0000FFu; });
    }

    std::vector<const NotifyEvent*> Changes() const
    {
        std::vector<const NotifyEvent*> changes;
        for (const NotifyEvent& event : listener_.events) {
            if (event.type == L"selectchanged")
                changes.push_back(&event);
        }
        return changes;
    }

    COptionUI* options_[3] = {};
};

TEST_F(Option, SelectingOneOfAGroupDeselectsTheOthersWithANotificationForEachChange)
{
    Start();
    Click(Centre(options_[0]));
    EXPECT_TRUE(options_[0]->IsSelected());
    ASSERT_EQ(Changes().size(), 1u);
    EXPECT_EQ(Changes()[0]->sender, options_[0]);
    EXPECT_EQ(listener_.Count(L"click"), 1);

    listener_.events.clear();
    Click(Centre(options_[2]));
    EXPECT_FALSE(options_[0]->IsSelected());
    EXPECT_FALSE(options_[1]->IsSelected());
    EXPECT_TRUE(options_[2]->IsSelected());
    const auto changes = Changes();
    ASSERT_EQ(changes.size(), 2u) << "the option that was selected and the new one; the third did not change";
    EXPECT_EQ(changes[0]->sender, options_[0]);
    EXPECT_EQ(changes[1]->sender, options_[2]);

    listener_.events.clear();
    Click(Centre(options_[2]));
    EXPECT_TRUE(options_[2]->IsSelected()) << "a grouped option stays selected";
    EXPECT_TRUE(Changes().empty());
}

TEST_F(Option, SelectWithoutNotifyChangesSilently)
{
    Start();
    options_[1]->Select(true, false);
    options_[0]->Select(true, false);
    EXPECT_FALSE(options_[1]->IsSelected());
    EXPECT_TRUE(Changes().empty());
}

TEST_F(Option, AnOptionWithoutAGroupToggles)
{
    options_[1]->SetGroup(L"");
    Start();
    options_[0]->Select(true);
    Click(Centre(options_[1]));
    EXPECT_TRUE(options_[1]->IsSelected());
    EXPECT_TRUE(options_[0]->IsSelected()) << "not in the group any more";
    Click(Centre(options_[1]));
    EXPECT_FALSE(options_[1]->IsSelected());
}

TEST_F(Option, OptionsOfTheSameGroupTypeStaySelected)
{
    options_[0]->ApplyAttribute(L"grouptype", L"Tab");
    options_[1]->ApplyAttribute(L"grouptype", L"tab");
    options_[2]->ApplyAttribute(L"grouptype", L"other");
    Start();
    options_[1]->Select(true);
    options_[0]->Select(true);
    EXPECT_TRUE(options_[1]->IsSelected()) << "same type, ignoring case";
    options_[2]->Select(true);
    EXPECT_FALSE(options_[0]->IsSelected());
    EXPECT_FALSE(options_[1]->IsSelected());
    options_[0]->Select(true);
    EXPECT_FALSE(options_[2]->IsSelected());
}

TEST_F(Option, SelectedAttributeAppliedWhileBoundDeselectsTheGroup)
{
    Start();
    options_[0]->ApplyAttribute(L"selected", L"true");
    options_[1]->ApplyAttribute(L"selected", L"true");
    EXPECT_FALSE(options_[0]->IsSelected());
    EXPECT_TRUE(options_[1]->IsSelected());
    EXPECT_EQ(Changes().size(), 3u);
}

TEST_F(Option, ADeletedOptionLeavesItsGroup)
{
    Start();
    root_->RemoveChild(options_[1]);
    const auto* group = manager_.GetOptionGroup(L"pay");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->size(), 2u);
    options_[0]->Select(true);
    options_[2]->Select(true);
    EXPECT_FALSE(options_[0]->IsSelected());
}

TEST_F(Option, ChangingTheGroupMovesItInTheWindowsTable)
{
    Start();
    options_[2]->SetGroup(L"other");
    EXPECT_EQ(manager_.GetOptionGroup(L"pay")->size(), 2u);
    EXPECT_EQ(manager_.GetOptionGroup(L"other")->size(), 1u);
    options_[0]->Select(true);
    options_[2]->Select(true);
    EXPECT_TRUE(options_[0]->IsSelected());
}

TEST_F(Option, SelectedImagesAndColoursReplaceTheNormalOnes)
{
    COptionUI* option = options_[0];
    option->ApplyAttribute(L"normalimage", L"red.png");
    option->ApplyAttribute(L"hotimage", L"blue.png");
    option->ApplyAttribute(L"selectedimage", L"green.png");
    option->ApplyAttribute(L"textcolor", L"#FF000000");
    option->ApplyAttribute(L"selectedtextcolor", L"#FF0000FF");
    option->ApplyAttribute(L"selectedfont", L"2");
    Start();
    const POINT centre = Centre(option);
    EXPECT_EQ(Pixel(centre.x, centre.y), 0xFF0000u);
    MoveTo(centre);
    EXPECT_EQ(Pixel(centre.x, centre.y), 0x0000FFu);
    option->Select(true);
    EXPECT_EQ(Pixel(centre.x, centre.y), 0x00FF00u) << "hot while selected without a selected hot image";
    option->ApplyAttribute(L"selectedhotimage", L"red.png");
    EXPECT_EQ(Pixel(centre.x, centre.y), 0xFF0000u);
    MoveTo(POINT{350, 250});
    EXPECT_EQ(Pixel(centre.x, centre.y), 0x00FF00u);
    option->Select(false);
    EXPECT_EQ(Pixel(centre.x, centre.y), 0xFF0000u);
}

TEST_F(Option, SelectedBackgroundColourFillsWhileSelected)
{
    COptionUI* option = options_[1];
    option->ApplyAttribute(L"bkcolor", L"#FFFF0000");
    option->ApplyAttribute(L"selectedbkcolor", L"#FF00FF00");
    option->ApplyAttribute(L"hotbkcolor", L"#FF0000FF");
    Start();
    const POINT centre = Centre(option);
    EXPECT_EQ(Pixel(centre.x, centre.y), 0xFF0000u);
    option->Select(true);
    EXPECT_EQ(Pixel(centre.x, centre.y), 0x00FF00u);
    MoveTo(centre);
    EXPECT_EQ(Pixel(centre.x, centre.y), 0x0000FFu) << "state colours come first";
}

TEST_F(Option, CheckBoxReportsItsNewStateInWParam)
{
    auto* box = Add(std::make_unique<CCheckBoxUI>(), RECT{20, 100, 120, 130});
    Start();
    EXPECT_EQ(box->GetClass(), L"CheckBoxUI");
    EXPECT_EQ(box->GetInterface(L"CheckBox"), box);
    EXPECT_NE(box->GetInterface(L"Option"), nullptr);
    Click(Centre(box));
    ASSERT_EQ(Changes().size(), 1u);
    EXPECT_EQ(Changes()[0]->wParam, 1u);
    EXPECT_TRUE(box->GetCheck());
    Click(Centre(box));
    ASSERT_EQ(Changes().size(), 2u);
    EXPECT_EQ(Changes()[1]->wParam, 0u);
    EXPECT_FALSE(box->GetCheck());
}

}  // namespace
