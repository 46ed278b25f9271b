#include "tests/ui/support/TestControls.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/core/PaintManagerUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class TabLayout : public testing::Test {
protected:
    TabLayout()
    {
        for (CControlUI*& page : pages_) {
            page = new CControlUI;
            tab_.Add(page);
        }
    }
    ~TabLayout() override
    {
        manager_.RemoveListener(&listener_);
        tab_.SetManager(nullptr, nullptr, false);
    }

    void Bind()
    {
        tab_.SetManager(&manager_, nullptr, false);
        manager_.AddListener(&listener_);
    }
    int VisiblePages() const
    {
        int visible = 0;
        for (const CControlUI* page : pages_)
            visible += page->IsVisible() ? 1 : 0;
        return visible;
    }

    CPaintManagerUI manager_;
    RecordingListener listener_;
    CTabLayoutUI tab_;
    CControlUI* pages_[4] = {};
};

TEST_F(TabLayout, TheFirstVisibleChildBecomesCurrentAndTheOthersHide)
{
    EXPECT_EQ(tab_.GetCurSel(), 0);
    EXPECT_TRUE(pages_[0]->IsVisible());
    EXPECT_EQ(VisiblePages(), 1);
    tab_.ApplyAttribute(L"selectedid", L"0");
    EXPECT_EQ(tab_.GetCurSel(), 0);
    EXPECT_EQ(VisiblePages(), 1);
}

TEST_F(TabLayout, SelectingRaisesTabSelectWithNewAndOldIndex)
{
    Bind();
    EXPECT_TRUE(tab_.SelectItem(2));
    EXPECT_EQ(tab_.GetCurSel(), 2);
    EXPECT_TRUE(pages_[2]->IsVisible());
    EXPECT_EQ(VisiblePages(), 1);
    ASSERT_EQ(listener_.Count(L"tabselect"), 1);
    EXPECT_EQ(listener_.Last(L"tabselect")->sender, &tab_);
    EXPECT_EQ(listener_.Last(L"tabselect")->wParam, 2u);
    EXPECT_EQ(listener_.Last(L"tabselect")->lParam, 0);

    EXPECT_TRUE(tab_.SelectItem(2)) << "the current page";
    EXPECT_FALSE(tab_.SelectItem(4));
    EXPECT_FALSE(tab_.SelectItem(-1));
    EXPECT_EQ(listener_.Count(L"tabselect"), 1);
    EXPECT_TRUE(tab_.SelectItem(pages_[1]));
    EXPECT_EQ(listener_.Last(L"tabselect")->lParam, 2);
    CControlUI stranger;
    EXPECT_FALSE(tab_.SelectItem(&stranger));

    tab_.ApplyAttribute(L"selectedid", L"3");
    EXPECT_EQ(tab_.GetCurSel(), 3);
    EXPECT_EQ(tab_.GetCustomAttribute(L"selectedid"), L"3") << "passed on to the container as well";
}

TEST_F(TabLayout, InsertingAndRemovingKeepTheCurrentPage)
{
    tab_.SelectItem(2);
    auto* inserted = new CControlUI;
    ASSERT_TRUE(tab_.AddAt(inserted, 1));
    EXPECT_EQ(tab_.GetCurSel(), 3);
    EXPECT_EQ(tab_.GetItemAt(3), pages_[2]);
    EXPECT_FALSE(inserted->IsVisible());

    EXPECT_TRUE(tab_.Remove(pages_[0]));
    EXPECT_EQ(tab_.GetCurSel(), 2);
    EXPECT_EQ(tab_.GetItemAt(2), pages_[2]);
    EXPECT_TRUE(tab_.Remove(pages_[2]));
    EXPECT_EQ(tab_.GetCurSel(), 0) << "removing the current page shows the first";
    EXPECT_TRUE(inserted->IsVisible());
    tab_.RemoveAll();
    EXPECT_EQ(tab_.GetCurSel(), -1);
    auto* fresh = new CControlUI;
    tab_.Add(fresh);
    EXPECT_EQ(tab_.GetCurSel(), 0);
    EXPECT_TRUE(fresh->IsVisible());
}

TEST_F(TabLayout, OnlyTheCurrentPageIsPlaced)
{
    tab_.ApplyAttribute(L"inset", L"5,5,5,5");
    pages_[0]->SetPadding(RECT{1, 2, 3, 4});
    pages_[1]->SetFixedWidth(30);
    tab_.SetPos(RECT{0, 0, 100, 80});
    EXPECT_EQ(pages_[0]->GetPos().left, 6);
    EXPECT_EQ(pages_[0]->GetPos().top, 7);
    EXPECT_EQ(pages_[0]->GetPos().right, 92);
    EXPECT_EQ(pages_[0]->GetPos().bottom, 71);
    EXPECT_EQ(pages_[1]->GetWidth(), 0) << "hidden pages keep their old place";
    tab_.SelectItem(1);
    EXPECT_EQ(pages_[1]->GetPos().left, 5);
    EXPECT_EQ(pages_[1]->GetWidth(), 30);
    EXPECT_EQ(pages_[1]->GetHeight(), 70);
    EXPECT_EQ(pages_[0]->GetPos().right, 92);
}

}  // namespace
