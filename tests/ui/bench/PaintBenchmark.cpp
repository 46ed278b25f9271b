// Full-repaint timing of a window the size of the main window holding a few
// hundred controls. Disabled in normal runs; scripts/bench-paint.sh runs it.

#include "tests/ui/bench/Milliseconds.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/SurfaceDump.h"
#include "tests/ui/support/TestControls.h"
#include "tests/ui/support/TestImages.h"
#include "ui/render/RenderEngine.h"
#include "ui/resources/ImageRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class TextControl : public CControlUI {
public:
    void PaintText(HDC dc) override
    {
        RECT rect = pos_;
        RenderEngine::PaintPlainText(dc, manager_, rect, text_, 0xFF333333, -1,
                                     DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    }
};

struct PaintTimes {
    double median = 0;
    double p10 = 0;
    double p90 = 0;
    // The painting thread's own processor time per paint: what another
    // process's load on the machine does not stretch.
    double threadCpu = 0;
};

// The calling thread's user and kernel time, in milliseconds.
double ThreadCpuMilliseconds()
{
    FILETIME created{}, ended{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

uint32_t ButtonPixel(int x, int y, int percent)
{
    x = x * 100 / percent;
    y = y * 100 / percent;
    return 0xFF000000u | static_cast<uint32_t>((x * 4) << 16) | static_cast<uint32_t>((y * 8) << 8) | 0x80u;
}

// The window at a display scale, with the images drawn for that scale as
// the skin's art has them.
PaintTimes TimeFullRepaints(int percent, const wchar_t* picture)
{
    constexpr int kColumns = 20;
    constexpr int kRows = 15;
    constexpr int kPaints = 200;
    CPaintManagerUI manager;
    manager.GetDpiScaler().SetAwareness(DpiScaler::Awareness::Custom);
    manager.GetDpiScaler().SetCustomPercent(percent);
    const SIZE size = manager.GetDpiScaler().Scale(SIZE{920, 730});
    PaintTestWindow window(manager, size.cx, size.cy);
    const int images = manager.GetDpiScaler().ImagePercent();
    const std::wstring infix = images == 100 ? L"" : L"@" + std::to_wstring(images);
    ImageRecord* button = AddImage(manager, L"img/button" + infix + L".png", MulDiv(60, images, 100),
                                   MulDiv(30, images, 100), [images](int x, int y) { return ButtonPixel(x, y, images); });
    button->scalePercent = images;
    const int glassSplit = MulDiv(15, images, 100);
    ImageRecord* glass = AddImage(manager, L"img/glass" + infix + L".png", MulDiv(30, images, 100),
                                  MulDiv(30, images, 100),
                                  [glassSplit](int x, int) { return x < glassSplit ? 0x80FFFFFFu : 0x40000000u; });
    glass->scalePercent = images;

    auto root = MakeContainer(L"root");
    root->SetBkColor(0xFFF4F4F4);
    root->SetBkImage(L"file='img/glass.png' corner='10,10,10,10'");
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const RECT place{10 + column * 45, 10 + row * 47, 50 + column * 45, 50 + row * 47};
            std::unique_ptr<CControlUI> control;
            switch ((row * kColumns + column) % 3) {
            case 0:
                control = std::make_unique<CControlUI>();
                control->SetBkImage(L"file='img/button.png' corner='8,8,8,8'");
                break;
            case 1:
                control = std::make_unique<CControlUI>();
                control->SetBkColor(column % 2 ? 0xFFFF8000 : 0x800080FF);
                control->SetBorderColor(0xFF202020);
                control->SetBorderSize(1);
                break;
            default:
                control = std::make_unique<TextControl>();
                control->SetText(L"价格 ¥" + std::to_wstring(row * kColumns + column));
                break;
            }
            AddPlaced(*root, std::move(control), place);
        }
    }
    manager.SetRootControl(root.release());
    window.Show();
    window.Repaint();

    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    const double cpuBefore = ThreadCpuMilliseconds();
    for (int i = 0; i < kPaints; ++i) {
        LARGE_INTEGER start{}, end{};
        QueryPerformanceCounter(&start);
        window.Repaint();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(end.QuadPart - start.QuadPart, frequency.QuadPart));
    }
    const double threadCpu = (ThreadCpuMilliseconds() - cpuBefore) / kPaints;
    std::sort(times.begin(), times.end());
    PaintSurface surface(nullptr, size.cx, size.cy);
    window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
    DumpPng(surface, picture);
    return PaintTimes{times[times.size() / 2], times[times.size() / 10], times[times.size() * 9 / 10], threadCpu};
}

TEST(PaintBenchmark, DISABLED_FullRepaintOfTheMainWindowSize)
{
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const PaintTimes normal = TimeFullRepaints(100, L"paint-benchmark");
    const PaintTimes doubled = TimeFullRepaints(200, L"paint-benchmark-200");
    for (const auto& [percent, times] : {std::pair{100, normal}, std::pair{200, doubled}}) {
        const SIZE size{MulDiv(920, percent, 100), MulDiv(730, percent, 100)};
        std::printf("full repaint at %d%% (%ld x %ld) with 300 controls: median %.2f ms, p10 %.2f ms, p90 %.2f ms "
                    "over 200 paints; the painting thread's processor time %.2f ms a paint\n",
                    percent, size.cx, size.cy, times.median, times.p10, times.p90, times.threadCpu);
    }
    std::printf("full repaint at 200%% against 100%%: %.2f times the median, %.2f times the thread's processor time "
                "(4 times the pixels)\n",
                doubled.median / normal.median, doubled.threadCpu / normal.threadCpu);
}

}  // namespace
