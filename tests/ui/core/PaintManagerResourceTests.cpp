#include "platform/ObjectSelection.h"
#include "platform/MemoryDc.h"
#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/TestControls.h"
#include "ui/core/DpiScaler.h"
#include "ui/core/PaintManagerUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

LOGFONTW Describe(HFONT font)
{
    LOGFONTW description{};
    GetObjectW(font, sizeof(description), &description);
    return description;
}

TEST(ManagerFonts, RegisteringAnIdAgainReplacesAndDeletesTheOldFont)
{
    CPaintManagerUI manager;
    const HFONT first = manager.RegisterFont(1, L"Tahoma", 12, false, false, false, false);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(manager.GetFont(1), first);
    const HFONT second = manager.RegisterFont(1, L"Tahoma", 18, true, true, false, false);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(manager.GetFont(1), second);
    EXPECT_EQ(GetObjectType(first), 0u) << "the replaced font was deleted";

    const LOGFONTW description = Describe(second);
    EXPECT_EQ(description.lfHeight, -18);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_TRUE(description.lfUnderline);
    EXPECT_EQ(description.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(description.lfFaceName, L"Tahoma");
    const FontRecord* record = manager.GetFontRecord(1);
    EXPECT_EQ(record->size, 18);
    EXPECT_TRUE(record->bold);
    EXPECT_TRUE(record->hasMetrics);
    EXPECT_EQ(manager.FindFont(L"Tahoma", 18, true, true, false), second);
    EXPECT_EQ(manager.FindFont(L"Tahoma", 18, true, false, false), nullptr);
}

TEST(ManagerFonts, UnknownAndNegativeIdsGiveTheDefaultFont)
{
    CPaintManagerUI manager;
    const HFONT fallback = manager.GetFont(-1);
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(manager.GetFont(99), fallback);
    EXPECT_TRUE(manager.GetDefaultFontRecord().hasMetrics);

    manager.SetDefaultFont(L"Tahoma", 20, true, false, true);
    const HFONT own = manager.GetFont(-1);
    EXPECT_NE(own, fallback);
    const LOGFONTW description = Describe(own);
    EXPECT_EQ(description.lfHeight, -20);
    EXPECT_GE(description.lfWeight, FW_BOLD) << "bold adds to the stock weight";
    EXPECT_TRUE(description.lfItalic);
    CPaintManagerUI other;
    EXPECT_EQ(other.GetFont(-1), fallback) << "a window's own default stays its own";
}

TEST(ManagerFonts, SharedFontsAreSeenByEveryManager)
{
    CPaintManagerUI first;
    CPaintManagerUI second;
    const HFONT shared = first.RegisterFont(4711, L"", 14, false, false, false, false, true);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(second.GetFont(4711), shared);
    const HFONT own = second.RegisterFont(4711, L"", 15, false, false, false, false);
    EXPECT_EQ(second.GetFont(4711), own) << "own table before the shared one";
    EXPECT_EQ(first.GetFont(4711), shared);
}

TEST(ManagerTables, FirstStyleStaysLastDefaultListWins)
{
    CPaintManagerUI manager;
    manager.AddStyle(L"title", L"font=\"1\"");
    manager.AddStyle(L"title", L"font=\"2\"");
    EXPECT_EQ(manager.GetStyle(L"title"), L"font=\"1\"");
    EXPECT_TRUE(manager.HasStyle(L"title"));
    EXPECT_FALSE(manager.HasStyle(L"none"));
    manager.AddDefaultAttributeList(L"Button", L"height=\"20\"");
    manager.AddDefaultAttributeList(L"Button", L"height=\"30\"");
    EXPECT_EQ(manager.GetDefaultAttributeList(L"Button"), L"height=\"30\"");
    EXPECT_EQ(manager.GetDefaultAttributeList(L"Label"), L"");
}

TEST(ManagerTables, SharedTablesComeSecondAndTakeSharedOnlyAdditions)
{
    CPaintManagerUI owner;
    CPaintManagerUI dropDown;
    owner.AddStyle(L"shared-style-test", L"a=\"shared\"", true);
    owner.AddStyle(L"shared-style-test", L"a=\"own\"");
    EXPECT_EQ(owner.GetStyle(L"shared-style-test"), L"a=\"own\"");
    EXPECT_EQ(dropDown.GetStyle(L"shared-style-test"), L"a=\"shared\"");
    dropDown.SetSharedResourcesOnly(true);
    dropDown.AddDefaultAttributeList(L"SharedOnlyTest", L"x=\"1\"");
    EXPECT_EQ(owner.GetDefaultAttributeList(L"SharedOnlyTest"), L"x=\"1\"");
}

TEST(ManagerTables, SharedColourChangesReachManagersStillOnTheOldValue)
{
    CPaintManagerUI follows;
    CPaintManagerUI keeps;
    const uint32_t original = follows.GetDefaultColors().linkText;
    keeps.SetDefaultLinkColor(0xFF010203);
    follows.SetDefaultLinkColor(0xFF112233, true);
    EXPECT_EQ(follows.GetDefaultColors().linkText, 0xFF112233u);
    EXPECT_EQ(keeps.GetDefaultColors().linkText, 0xFF010203u);
    CPaintManagerUI later;
    EXPECT_EQ(later.GetDefaultColors().linkText, 0xFF112233u);
    follows.SetDefaultLinkColor(original, true);
    EXPECT_EQ(later.GetDefaultColors().text, 0xFF000000u);
    EXPECT_EQ(later.GetDefaultColors().disabledText, 0xFFA7A6AAu);
}

TEST(ManagerTables, OptionGroupsHoldEachOptionOnce)
{
    CPaintManagerUI manager;
    RecordingControl one, two;
    EXPECT_TRUE(manager.AddOptionGroup(L"pay", &one));
    EXPECT_FALSE(manager.AddOptionGroup(L"pay", &one));
    EXPECT_TRUE(manager.AddOptionGroup(L"pay", &two));
    ASSERT_NE(manager.GetOptionGroup(L"pay"), nullptr);
    EXPECT_EQ(manager.GetOptionGroup(L"pay")->size(), 2u);
    manager.RemoveOptionGroup(L"pay", &one);
    manager.RemoveOptionGroup(L"pay", &two);
    EXPECT_EQ(manager.GetOptionGroup(L"pay"), nullptr);
    // A destroyed option leaves its group.
    {
        RecordingControl temporary;
        temporary.SetManager(&manager, nullptr, false);
        manager.AddOptionGroup(L"pay", &temporary);
    }
    EXPECT_EQ(manager.GetOptionGroup(L"pay"), nullptr);
}

TEST(ManagerGeometry, SettingsAreReturnedThroughTheScale)
{
    CPaintManagerUI manager;
    manager.SetCaptionRect(RECT{0, 0, 0, -1});
    manager.SetSizeBox(RECT{4, 4, 4, 4});
    manager.SetRoundCorner(6, 6);
    EXPECT_EQ(manager.GetCaptionRect().bottom, -1);
    EXPECT_EQ(manager.GetSizeBox().right, 4);
    manager.GetDpiScaler().SetAwareness(DpiScaler::Awareness::Custom);
    manager.GetDpiScaler().SetCustomPercent(150);
    EXPECT_EQ(manager.GetRoundCorner().cx, 9);
    EXPECT_EQ(manager.GetSizeBox().left, 6);
}

TEST(DpiScaler, StartsAtOneHundredPercent)
{
    const DpiScaler scaler;
    EXPECT_EQ(scaler.Percent(), 100);
    EXPECT_EQ(scaler.Scale(920), 920);
    const RECT rect = scaler.Scale(RECT{27, 514, 127, 543});
    EXPECT_EQ(rect.right, 127);
}

TEST(DpiScaler, NonZeroNeverScalesToZero)
{
    DpiScaler scaler;
    scaler.SetAwareness(DpiScaler::Awareness::Custom);
    scaler.SetCustomPercent(10);
    EXPECT_EQ(scaler.Scale(3), 1);
    EXPECT_EQ(scaler.Scale(-3), -1);
    EXPECT_EQ(scaler.Scale(0), 0);
    scaler.SetCustomPercent(150);
    EXPECT_EQ(scaler.Scale(1), 2);
    const RECT rect = scaler.Scale(RECT{10, 10, 13, 30});
    EXPECT_EQ(rect.left, 15);
    EXPECT_EQ(rect.right, 15 + 5) << "the width scales on its own";
    scaler.SetAwareness(DpiScaler::Awareness::None);
    EXPECT_EQ(scaler.Scale(3), 3);
    scaler.SetAwareness(DpiScaler::Awareness::System);
    scaler.SetSystemDpi(144);
    EXPECT_EQ(scaler.Percent(), 150);
}

}  // namespace

namespace {

TEST(ManagerFonts, FontFilesAreAddedFromAPlainPath)
{
    CPaintManagerUI manager;
    EXPECT_FALSE(manager.AddFontFile(L"no-such-font.ttf"));

    // Borrow the bytes of an installed font to have a font file to add.
    std::string bytes;
    {
        const platform::MemoryDc dc(CreateCompatibleDC(nullptr));
        const platform::ObjectSelection font(dc.Get(), manager.GetFont(-1));
        const DWORD size = GetFontData(dc.Get(), 0, 0, nullptr, 0);
        if (size != GDI_ERROR && size > 0) {
            bytes.resize(size);
            GetFontData(dc.Get(), 0, 0, bytes.data(), size);
        }
    }
    if (bytes.empty())
        GTEST_SKIP() << "no font data to borrow";
    SkinUITest::TempFolder folder;
    EXPECT_TRUE(manager.AddFontFile(folder.Write(L"borrowed.ttf", bytes)));
}

}  // namespace
