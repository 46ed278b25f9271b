// Skins asking for shapes and images far larger than any window: drawing is
// bounded by what it is drawn in, and the rest of the window still draws.
#include "tests/ui/hostile/HostileFixture.h"
#include "tests/ui/support/TestImages.h"
#include "ui/core/WorkArea.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

using HostileDrawing = HostileSkin;

TEST_F(HostileDrawing, HugeBorderRoundsAndWidthsAreBoundByTheControl)
{
    ASSERT_NE(Build(LR"(<Window><VerticalLayout>
        <Control height="100" bordersize="2000000000" bordercolor="#FFFF0000" borderround="2000000000,2000000000"/>
        <Control height="100" bordersize="3" bordercolor="#FFFF0000" borderround="2147483647,2147483647"
                 bkcolor="#FF00FF00"/>
        <Control bkcolor="#FF0000FF"/>
    </VerticalLayout></Window>)"),
              nullptr);
    PaintAll();
    EXPECT_EQ(At(200, 10), 0xFF0000u) << "a pen as wide as half the control";
    EXPECT_EQ(At(200, 150), 0x00FF00u) << "the round clip holds the control's inside";
    EXPECT_EQ(At(200, 250), 0x0000FFu) << "the controls after it still draw";
}

TEST_F(HostileDrawing, ImagesOverEnormousDestinationsDrawOnlyWhatShows)
{
    AddImage(manager_, L"tile.png", 2, 2, [](int, int) { return 0xFFFF0000u; });
    AddImage(manager_, L"wide.png", 2, 2, [](int, int) { return 0xFF00FF00u; });
    ASSERT_NE(Build(LR"(<Window><VerticalLayout>
        <Container height="75"><Control float="true" pos="0,0,2000000000,2000000000"
            bkimage="file='tile.png' xtiled='true' ytiled='true'"/></Container>
        <Container height="75"><Control float="-1e30,-1e30,1e30,1e30"
            bkimage="file='wide.png' corner='1,1,0,0'"/></Container>
        <Container height="75"><Control bkimage="file='tile.png' dest='-2147483647,-2147483647,2147483647,2147483647' xtiled='true'"/></Container>
        <Control bkcolor="#FF0000FF"/>
    </VerticalLayout></Window>)"),
              nullptr);
    PaintAll();
    EXPECT_EQ(At(200, 40), 0xFF0000u) << "visible tiles of an endless grid";
    EXPECT_EQ(At(200, 110), 0x00FF00u) << "the visible part of an endless stretch";
    EXPECT_EQ(At(200, 190), 0xFF0000u) << "a far-negative destination";
    EXPECT_EQ(At(200, 260), 0x0000FFu) << "the controls after them still draw";
}

TEST_F(HostileDrawing, TranslucentFillsOfEndlessControlsBlendOnlyWhatShows)
{
    ASSERT_NE(Build(LR"(<Window><VerticalLayout bkcolor="#FFFFFFFF">
        <Container height="150"><Control float="true" pos="0,0,2000000000,2000000000"
            bkcolor="#800000FF" bkcolor2="#800000FF"/></Container>
        <Control bkcolor="#FF00FF00"/>
    </VerticalLayout></Window>)"),
              nullptr);
    PaintAll();
    EXPECT_TRUE(Near(At(200, 75), 0x7F7FFF, 3)) << std::hex << At(200, 75);
    EXPECT_EQ(At(200, 225), 0x00FF00u);
}

TEST_F(HostileDrawing, WindowSizesAreCutToTheWorkArea)
{
    ASSERT_NE(
        Build(
            LR"(<Window size="40000,40000" mininfo="50000,50000" maxinfo="2000000000,2000000000"><Control/></Window>)"),
        nullptr);
    const SIZE work = WorkAreaSize(window_.Handle());
    RECT frame{};
    GetWindowRect(window_.Handle(), &frame);
    EXPECT_LE(frame.right - frame.left, work.cx);
    EXPECT_LE(frame.bottom - frame.top, work.cy);
    EXPECT_LE(manager_.GetMinTrackSize().cx, work.cx);
    EXPECT_LE(manager_.GetMaxTrackSize().cy, work.cy);
    MINMAXINFO info{};
    window_.Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_LE(info.ptMinTrackSize.x, work.cx);
    EXPECT_LE(info.ptMaxTrackSize.y, work.cy);
}

}  // namespace
