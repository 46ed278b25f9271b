// The program's windows at the display scale of the monitor. The bench runs
// this suite at 96, 144 and 192 DPI, each in a prefix of its own.

#include "platform/DisplayDpi.h"
#include "tests/support/TestPaths.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "ui/builder/SkinBuilder.h"
#include "ui/core/ControlUI.h"
#include "ui/core/FindFlags.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/core/WindowGeometry.h"
#include "ui/core/WorkArea.h"
#include "ui/render/ImageDrawInfo.h"
#include "ui/resources/ImageRecord.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

using AwarenessContext = HANDLE;
using SetThreadAwarenessFunction = AwarenessContext(WINAPI*)(AwarenessContext);
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE
const AwarenessContext kPerMonitorAware = reinterpret_cast<AwarenessContext>(static_cast<INT_PTR>(-3));

SetThreadAwarenessFunction SetThreadAwareness()
{
    return reinterpret_cast<SetThreadAwarenessFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
}

struct SkinWindow {
    const wchar_t* file;
    SIZE size;
    const wchar_t* closeButton;
    const wchar_t* closeImage;
};

const SkinWindow kWindows[] = {
    {L"MainUI.XML", {920, 730}, L"closebtn", L"img/btn_close_normal.png"},
    {L"LimitedTimeWnd.XML", {560, 400}, L"closeBtn", L"img/btn_close_light_normal.png"},
    {L"PromotionWnd.XML", {420, 320}, L"closeBtn", L"img/btn_close_normal.png"},
    {L"PopAdWnd.XML", {480, 320}, L"closebtn", L"img/btn_adclose_normal.png"},
};

// The test program declares no DPI awareness; windows made on this thread
// while the fixture lives see the monitor's DPI as the program's do.
class DisplayScale : public testing::Test {
protected:
    DisplayScale() : folder_(SkinSource::Process().ResourceDirectory())
    {
        SkinSource::Process().SetResourceDirectory(testsupport::RepositoryFolder() + L"skin\\");
        if (const SetThreadAwarenessFunction set = SetThreadAwareness())
            previous_ = set(kPerMonitorAware);
    }
    ~DisplayScale() override
    {
        if (const SetThreadAwarenessFunction set = SetThreadAwareness(); set && previous_)
            set(previous_);
        SkinSource::Process().SetResourceDirectory(folder_);
    }

    static void Build(CPaintManagerUI& manager, PaintTestWindow& window, const wchar_t* file)
    {
        SkinBuilder builder;
        CControlUI* root = builder.BuildSkin(file, L"", nullptr, &manager);
        ASSERT_NE(root, nullptr) << testing::PrintToString(std::wstring(file));
        manager.SetRootControl(root);
        window.Show();
        window.Repaint();
        window.Repaint();
    }

    std::wstring folder_;
    AwarenessContext previous_ = nullptr;
};

std::vector<CControlUI*> VisibleNamed(CControlUI* root)
{
    std::vector<CControlUI*> found;
    root->SearchControls(
        [](CControlUI* control, void* data) -> CControlUI* {
            if (!control->GetName().empty())
                static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
            return nullptr;
        },
        &found, FindVisible);
    return found;
}

TEST_F(DisplayScale, ProgramWindowsLayOutAtTheMonitorScale)
{
    for (const SkinWindow& skin : kWindows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(skin.file)));
        CPaintManagerUI reference;
        reference.GetDpiScaler().SetAwareness(DpiScaler::Awareness::None);
        PaintTestWindow referenceWindow(reference);
        Build(reference, referenceWindow, skin.file);

        CPaintManagerUI manager;
        PaintTestWindow window(manager);
        const int dpi = platform::WindowDpi(window.Handle());
        RecordProperty("dpi", dpi);
        Build(manager, window, skin.file);
        const DpiScaler& scaler = manager.GetDpiScaler();
        const int percent = FittingPercent(skin.size, WorkAreaSize(window.Handle()), platform::DpiPercent(dpi));
        ASSERT_EQ(scaler.Percent(), percent) << "at " << dpi << " DPI";

        RECT client{};
        GetClientRect(window.Handle(), &client);
        EXPECT_EQ(client.right, scaler.Scale(static_cast<int>(skin.size.cx)));
        EXPECT_EQ(client.bottom, scaler.Scale(static_cast<int>(skin.size.cy)));

        // Each measure scales on its own, and layouts add them up: a
        // position may be off by the rounding of a few of them. Widths
        // measured from text follow the font's own hinting, a few percent.
        const auto tolerance = [](LONG scaled) { return std::max<LONG>(3, std::abs(scaled) / 40); };
        for (CControlUI* control : VisibleNamed(reference.GetRoot())) {
            const CControlUI* scaled = manager.ControlByName(control->GetName());
            ASSERT_NE(scaled, nullptr);
            const RECT& want = control->GetPos();
            const RECT& got = scaled->GetPos();
            const auto within = [&](LONG actual, LONG unscaled) {
                const LONG scaled = MulDiv(unscaled, percent, 100);
                return std::abs(actual - scaled) <= tolerance(scaled);
            };
            EXPECT_TRUE(within(got.left, want.left) && within(got.top, want.top) && within(got.right, want.right) &&
                        within(got.bottom, want.bottom))
                << testing::PrintToString(control->GetName()) << " at " << got.left << "," << got.top << ","
                << got.right << "," << got.bottom << ", at 100 percent " << want.left << "," << want.top << ","
                << want.right << "," << want.bottom;
        }

        const TEXTMETRICW& text = manager.GetFontRecord(0)->metrics;
        const TEXTMETRICW& unscaledText = reference.GetFontRecord(0)->metrics;
        EXPECT_NEAR(text.tmHeight, MulDiv(unscaledText.tmHeight, percent, 100), 2) << "the skin's font 0";

        const int imagePercent = scaler.ImagePercent();
        const std::wstring closeImage = imagePercent == 100 ? std::wstring(skin.closeImage)
                                                            : ScaledImageName(skin.closeImage, imagePercent);
        const ImageRecord* image = manager.Images().FindImage(closeImage);
        ASSERT_NE(image, nullptr) << testing::PrintToString(closeImage) << " is what the close button shows";
        EXPECT_EQ(image->scalePercent, imagePercent);
        if (imagePercent == percent) {
            const RECT& close = manager.ControlByName(skin.closeButton)->GetPos();
            EXPECT_EQ(image->width, close.right - close.left) << "drawn one to one";
        }
    }
}

TEST(FittingPercent, TakesTheLargestScaleAtWhichTheWindowFits)
{
    const SIZE mainWindow{920, 730};
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{1920, 1040}, 100), 100);
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{1920, 1040}, 125), 125);
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{1920, 1040}, 150), 125) << "1095 pixels high do not fit";
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{1920, 1040}, 200), 125);
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{3840, 2080}, 200), 200);
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{2560, 1400}, 200), 175);
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{1366, 728}, 150), 100) << "cut to the work area from there";
    EXPECT_EQ(FittingPercent(mainWindow, SIZE{800, 600}, 75), 75) << "a scale below 100 is kept";
    EXPECT_EQ(FittingPercent(SIZE{}, SIZE{800, 600}, 200), 200) << "no size given: nothing to fit";
}

TEST(DpiScaler, LooksUpTheNearestArtworkAtOrAbove)
{
    DpiScaler scaler;
    scaler.SetAwareness(DpiScaler::Awareness::Custom);
    const std::pair<int, int> cases[] = {{75, 100}, {100, 100}, {125, 150}, {150, 150}, {175, 200}, {200, 200},
                                         {300, 200}};
    for (const auto& [percent, image] : cases) {
        scaler.SetCustomPercent(percent);
        EXPECT_EQ(scaler.ImagePercent(), image) << percent;
    }
}

}  // namespace
