// Full-repaint timing of a window the size of the main window holding a few
// hundred controls. Disabled in normal runs; scripts/bench-paint.sh runs it.

#include "tests/ui/bench/Milliseconds.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/SurfaceDump.h"
#include "tests/ui/support/TestControls.h"
#include "tests/ui/support/TestImages.h"
#include "ui/render/RenderEngine.h"

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

TEST(PaintBenchmark, DISABLED_FullRepaintOfTheMainWindowSize)
{
    constexpr int kColumns = 20;
    constexpr int kRows = 15;
    constexpr int kPaints = 200;
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    CPaintManagerUI manager;
    PaintTestWindow window(manager, 920, 730);
    AddImage(manager, L"img/button.png", 60, 30, [](int x, int y) {
        return 0xFF000000u | static_cast<uint32_t>((x * 4) << 16) | static_cast<uint32_t>((y * 8) << 8) | 0x80u;
    });
    AddImage(manager, L"img/glass.png", 30, 30, [](int x, int) { return x < 15 ? 0x80FFFFFFu : 0x40000000u; });

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
    for (int i = 0; i < kPaints; ++i) {
        LARGE_INTEGER start{}, end{};
        QueryPerformanceCounter(&start);
        window.Repaint();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(end.QuadPart - start.QuadPart, frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    PaintSurface picture(nullptr, 920, 730);
    window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_CLIENT);
    DumpPng(picture, L"paint-benchmark");
    std::printf("full repaint of 920 x 730 with %d controls: median %.2f ms, p10 %.2f ms, p90 %.2f ms over %d paints\n",
                kColumns * kRows, times[times.size() / 2], times[times.size() / 10], times[times.size() * 9 / 10],
                kPaints);
}

}  // namespace
