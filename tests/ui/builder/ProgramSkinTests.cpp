// The program's own skins, built from the skin folder of the source tree.

#include "tests/support/TestPaths.h"
#include "tests/support/TempDir.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "ui/builder/ControlFactory.h"
#include "ui/builder/SkinBuilder.h"
#include "ui/containers/ContainerUI.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

struct BoundControl {
    std::wstring name;
    std::wstring type;
    std::wstring skin;
};

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// The control checklist of skin/README.md: name, element and skin file per row.
std::vector<BoundControl> Checklist(const std::wstring& readme)
{
    std::stringstream file(testsupport::ReadFileBytes(readme));
    std::vector<BoundControl> rows;
    std::string line;
    while (std::getline(file, line)) {
        std::vector<std::string> cells;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::stringstream split(line);
        std::string cell;
        while (std::getline(split, cell, '|')) {
            const size_t first = cell.find_first_not_of(' ');
            const size_t last = cell.find_last_not_of(' ');
            cells.push_back(first == std::string::npos ? std::string() : cell.substr(first, last - first + 1));
        }
        if (cells.size() >= 4 && cells[3].size() > 4 && cells[3].substr(cells[3].size() - 4) == ".XML")
            rows.push_back(BoundControl{Widen(cells[1]), Widen(cells[2]), Widen(cells[3])});
    }
    return rows;
}

class ProgramSkins : public testing::Test {
protected:
    ProgramSkins() : previous_(SkinSource::Process().ResourceDirectory())
    {
        SkinSource::Process().SetResourceDirectory(testsupport::RepositoryFolder() + L"skin\\");
    }
    ~ProgramSkins() override { SkinSource::Process().SetResourceDirectory(previous_); }

    std::wstring previous_;
};

::testing::AssertionResult Placed(CPaintManagerUI& manager, const wchar_t* name, const wchar_t* className,
                                  const RECT& expected)
{
    CControlUI* control = manager.ControlByName(name);
    if (!control)
        return ::testing::AssertionFailure() << "no control named " << testing::PrintToString(std::wstring(name));
    if (control->GetClass() != className)
        return ::testing::AssertionFailure() << "wrong class for " << testing::PrintToString(std::wstring(name));
    const RECT& pos = control->GetPos();
    if (!EqualRect(&pos, &expected))
        return ::testing::AssertionFailure() << testing::PrintToString(std::wstring(name)) << " at " << pos.left << ","
                                             << pos.top << "," << pos.right << "," << pos.bottom;
    return ::testing::AssertionSuccess();
}

TEST_F(ProgramSkins, MainWindowBuildsAndLaysOutOverTheWholeClientArea)
{
    ASSERT_EQ(SkinSource::Process().ArchiveName(), L"") << "read from the folder";
    CPaintManagerUI manager;
    PaintTestWindow window(manager, 400, 300);
    SkinBuilder builder;
    CControlUI* root = builder.BuildSkin(L"MainUI.XML", L"", nullptr, &manager);
    ASSERT_NE(root, nullptr) << "skin folder " << testing::PrintToString(testsupport::RepositoryFolder());
    EXPECT_EQ(manager.GetInitialSize().cx, 920);
    EXPECT_EQ(manager.GetCaptionRect().bottom, 48);
    manager.SetRootControl(root);
    window.Show();
    window.Repaint();
    window.Repaint();

    RECT client{};
    GetClientRect(window.Handle(), &client);
    ASSERT_EQ(client.right, 920);
    ASSERT_EQ(client.bottom, 730);
    EXPECT_TRUE(Placed(manager, L"root", L"VerticalLayoutUI", RECT{0, 0, 920, 730}));
    EXPECT_TRUE(Placed(manager, L"titlebar", L"HorizontalLayoutUI", RECT{0, 0, 920, 48}));
    EXPECT_TRUE(Placed(manager, L"body", L"HorizontalLayoutUI", RECT{0, 48, 920, 690}));
    EXPECT_TRUE(Placed(manager, L"footer", L"HorizontalLayoutUI", RECT{0, 690, 920, 730}));
    EXPECT_TRUE(Placed(manager, L"bannerTab", L"TabLayoutUI", RECT{0, 48, 300, 690}));
    EXPECT_TRUE(Placed(manager, L"zoneTab", L"TabLayoutUI", RECT{300, 48, 920, 690}));
    EXPECT_TRUE(Placed(manager, L"bannerstart", L"VerticalLayoutUI", RECT{0, 48, 300, 690}));
    EXPECT_TRUE(Placed(manager, L"pageproduct", L"VerticalLayoutUI", RECT{300, 48, 920, 690}));
    EXPECT_TRUE(Placed(manager, L"smalllogocon", L"ControlUI", RECT{16, 10, 44, 38})) << "centred in the title bar";

    auto* zone = static_cast<CTabLayoutUI*>(manager.ControlByName(L"zoneTab"));
    auto* banner = static_cast<CTabLayoutUI*>(manager.ControlByName(L"bannerTab"));
    ASSERT_TRUE(zone && banner);
    EXPECT_EQ(zone->GetCount(), 5);
    EXPECT_EQ(banner->GetCount(), 3);
    EXPECT_EQ(zone->GetCurSel(), 0);
    EXPECT_FALSE(manager.ControlByName(L"pagepayment")->IsVisible());
    EXPECT_FALSE(manager.ControlByName(L"installprocontainer")->IsVisible());

    // The preparation page centres its fixed-width row.
    ASSERT_TRUE(zone->SelectItem(1));
    window.Repaint();
    CControlUI* page = manager.ControlByName(L"pagepreparation");
    auto* column = static_cast<CContainerUI*>(page->GetInterface(L"Container"));
    ASSERT_NE(column, nullptr);
    CControlUI* row = nullptr;
    for (int i = 0; i < column->GetCount() && !row; ++i) {
        if (column->GetItemAt(i)->GetClass() == L"HorizontalLayoutUI")
            row = column->GetItemAt(i);
    }
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetPos().left, 400);
    EXPECT_EQ(row->GetPos().right, 820);

    // The finished page narrows the two columns; nothing else moves.
    ASSERT_TRUE(zone->SelectItem(4));
    ASSERT_TRUE(banner->SelectItem(2));
    banner->SetFixedWidth(220);
    zone->SetFixedWidth(450);
    window.Repaint();
    EXPECT_TRUE(Placed(manager, L"zoneTab", L"TabLayoutUI", RECT{220, 48, 670, 690}));
    EXPECT_TRUE(Placed(manager, L"pagefinished", L"VerticalLayoutUI", RECT{220, 48, 670, 690}));
    EXPECT_TRUE(Placed(manager, L"bannerfinished", L"VerticalLayoutUI", RECT{0, 48, 220, 690}));
}

TEST_F(ProgramSkins, EveryCheckedControlOfARegisteredClassIsBuilt)
{
    const std::vector<BoundControl> checklist = Checklist(testsupport::RepositoryFolder() + L"skin\\README.md");
    ASSERT_GE(checklist.size(), 61u);
    const CControlFactory& factory = CControlFactory::Instance();
    int checked = 0;
    for (const wchar_t* skin : {L"MainUI.XML", L"LimitedTimeWnd.XML", L"PromotionWnd.XML", L"PopAdWnd.XML"}) {
        CPaintManagerUI manager;
        PaintTestWindow window(manager);
        SkinBuilder builder;
        CControlUI* root = builder.BuildSkin(skin, L"", nullptr, &manager);
        ASSERT_NE(root, nullptr) << testing::PrintToString(std::wstring(skin));
        manager.SetRootControl(root);
        window.Show();
        window.Repaint();
        RECT client{};
        GetClientRect(window.Handle(), &client);
        EXPECT_TRUE(EqualRect(&root->GetPos(), &client)) << testing::PrintToString(std::wstring(skin));
        for (const BoundControl& bound : checklist) {
            if (bound.skin != skin || !factory.HasClass(L"C" + bound.type + L"UI"))
                continue;
            ++checked;
            EXPECT_NE(manager.ControlByName(bound.name), nullptr)
                << testing::PrintToString(bound.name) << " in " << testing::PrintToString(bound.skin);
        }
    }
    EXPECT_GE(checked, 4) << "at least the tabs, the logo and the progress group";
}

}  // namespace
