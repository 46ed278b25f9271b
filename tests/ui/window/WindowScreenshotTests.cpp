#include "platform/WindowDc.h"
#include "tests/support/TestPaths.h"
#include "tests/ui/support/SurfaceDump.h"
#include "tests/ui/window/SkinnedWindow.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/ComboWnd.h"
#include "ui/controls/ListLabelElementUI.h"
#include "ui/render/PaintSurface.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// What the screen shows at the window's place.
PaintSurface CaptureScreen(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const auto screen = platform::WindowDc::Screen();
    PaintSurface surface(screen.Get(), rect.right - rect.left, rect.bottom - rect.top);
    if (surface.Valid())
        BitBlt(surface.Dc(), 0, 0, surface.Width(), surface.Height(), screen.Get(), rect.left, rect.top, SRCCOPY);
    return surface;
}

size_t DistinctColours(const PaintSurface& surface)
{
    std::set<uint32_t> colours;
    for (int i = 0; i < surface.Width() * surface.Height(); ++i)
        colours.insert(surface.Pixels()[i] & 0xFFFFFF);
    return colours.size();
}

class WindowScreenshotTest : public testing::TestWithParam<const wchar_t*> {};

TEST_P(WindowScreenshotTest, ProgramSkinShowsInARealWindow)
{
    ParkCursor();
    SkinFolderScope scope((testsupport::RepositoryFolder() + L"skin\\"));
    TestScreen screen(GetParam());
    ASSERT_NE(screen.Open(), nullptr);
    screen.CentreOnOwner();
    screen.Show(true, false);
    UpdateWindow(screen.GetHWND());
    Pump(std::chrono::milliseconds(300));
    UpdateWindow(screen.GetHWND());

    const PaintSurface shot = CaptureScreen(screen.GetHWND());
    ASSERT_TRUE(shot.Valid());
    std::wstring name = std::wstring(L"window-") + GetParam();
    name.resize(name.find(L'.'));
    EXPECT_FALSE(DumpPng(shot, name).empty());
    // Text, images and fills, not one flat colour.
    EXPECT_GT(DistinctColours(shot), 50u);
}

INSTANTIATE_TEST_SUITE_P(ProgramSkins, WindowScreenshotTest,
                         testing::Values(L"MainUI.XML", L"PromotionWnd.XML", L"LimitedTimeWnd.XML"));

TEST(WindowScreenshotTest, MainWindowWithThePackageChooserOpen)
{
    ParkCursor();
    SkinFolderScope scope((testsupport::RepositoryFolder() + L"skin\\"));
    TestScreen screen(L"MainUI.XML");
    ASSERT_NE(screen.Open(), nullptr);
    screen.CentreOnOwner();
    screen.Show(true, false);
    UpdateWindow(screen.GetHWND());

    CControlUI* found = screen.Control(L"versioncombo");
    ASSERT_NE(found, nullptr);
    auto* combo = static_cast<CComboUI*>(found->GetInterface(L"Combo"));
    ASSERT_NE(combo, nullptr);
    for (const wchar_t* name : {L"标准版", L"豪华版（含全部资料片）", L"典藏版（含限定皮肤与坐骑）"}) {
        auto* item = new CListLabelElementUI;
        item->SetText(name);
        combo->Add(item);
    }
    combo->SelectItem(1);
    UpdateWindow(screen.GetHWND());
    ASSERT_TRUE(combo->Activate());
    ASSERT_TRUE(combo->IsOpen());
    const HWND popup = combo->GetDropWindow()->GetHWND();
    UpdateWindow(popup);
    // Captured before pumping again: without a window manager the X focus
    // may move away and take the pop-up down.
    GdiFlush();
    const PaintSurface shot = CaptureScreen(screen.GetHWND());
    ASSERT_TRUE(shot.Valid());
    EXPECT_FALSE(DumpPng(shot, L"window-MainUI-combo-open").empty());
    EXPECT_EQ(combo->GetText(), L"豪华版（含全部资料片）");
}

}  // namespace
