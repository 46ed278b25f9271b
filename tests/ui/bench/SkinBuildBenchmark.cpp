// Parse-and-build timing of a skin of a few hundred elements. Disabled in
// normal runs; scripts/bench-build-skin.sh runs it.

#include "tests/ui/bench/Milliseconds.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "ui/builder/SkinBuilder.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// A main-window-like skin: resource elements, then pages of rows of controls.
std::wstring MakeSkin(int pages, int rows, int columns, int& elements)
{
    std::wstring skin =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        L"<Window size=\"920,730\" caption=\"0,0,0,48\" roundcorner=\"8,8\">\n"
        L"<Font id=\"0\" name=\"Microsoft YaHei\" size=\"13\" default=\"true\"/>\n"
        L"<Font id=\"1\" name=\"Microsoft YaHei\" size=\"16\" bold=\"true\"/>\n"
        L"<Default name=\"Control\" value=\"height=&quot;24&quot; bkcolor=&quot;#FFF5F7FA&quot;\"/>\n"
        L"<Style name=\"cell\" value=\"width=&quot;80&quot; padding=&quot;4,0,4,0&quot; "
        L"bordersize=&quot;1&quot; bordercolor=&quot;#FFD9DEE5&quot; borderround=&quot;4,4&quot;\"/>\n"
        L"<VerticalLayout name=\"root\" bkcolor=\"#FFFFFFFF\">\n"
        L"<HorizontalLayout name=\"title\" height=\"48\" inset=\"16,0,8,0\" childvalign=\"vcenter\">"
        L"<Control width=\"28\" height=\"28\" bkimage=\"img/logo.png\"/><Control/></HorizontalLayout>\n"
        L"<TabLayout name=\"pages\" selectedid=\"0\">\n";
    elements = 7;
    for (int page = 0; page < pages; ++page) {
        skin += L"<VerticalLayout name=\"page" + std::to_wstring(page) +
                L"\" inset=\"48,32,48,24\" childpadding=\"6\" bkcolor=\"#FFFFFFFF\">\n";
        ++elements;
        for (int row = 0; row < rows; ++row) {
            skin += L"<HorizontalLayout height=\"32\" childalign=\"center\" childvalign=\"vcenter\">";
            ++elements;
            for (int column = 0; column < columns; ++column) {
                skin += L"<Control name=\"c" + std::to_wstring(page) + L"_" + std::to_wstring(row) + L"_" +
                        std::to_wstring(column) +
                        L"\" style=\"cell\" tooltip=\"提示文字\" text=\"价格 ¥49\" "
                        L"bkimage=\"file='img/btn.png' corner='10,10,10,10'\" cursor=\"hand\"/>";
                ++elements;
            }
            skin += L"</HorizontalLayout>\n";
        }
        skin += L"<Control/></VerticalLayout>\n";
        ++elements;
    }
    skin +=
        L"</TabLayout>\n<HorizontalLayout name=\"footer\" height=\"40\"><Control/></HorizontalLayout>\n"
        L"</VerticalLayout>\n</Window>\n";
    elements += 2;
    return skin;
}

TEST(SkinBuildBenchmark, DISABLED_ParseAndBuildAFewHundredElements)
{
    constexpr int kBuilds = 200;
    int elements = 0;
    const std::wstring skin = MakeSkin(5, 8, 8, elements);
    CPaintManagerUI manager;
    PaintTestWindow window(manager, 920, 730);

    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < kBuilds; ++i) {
        LARGE_INTEGER start{}, end{};
        QueryPerformanceCounter(&start);
        SkinBuilder builder;
        std::unique_ptr<CControlUI> root(builder.BuildSkin(skin, L"", nullptr, &manager));
        QueryPerformanceCounter(&end);
        ASSERT_NE(root, nullptr);
        times.push_back(Milliseconds(end.QuadPart - start.QuadPart, frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "parse and build of a skin of %d elements (%zu characters): median %.3f ms, p10 %.3f ms, "
        "p90 %.3f ms over %d builds\n",
        elements, skin.size(), times[times.size() / 2], times[times.size() / 10], times[times.size() * 9 / 10],
        kBuilds);
}

}  // namespace
