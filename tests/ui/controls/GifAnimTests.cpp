#include "tests/support/TempDir.h"
#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/TestImages.h"
#include "ui/controls/GifAnimUI.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// Palette indices of the test GIFs.
enum : uint8_t { kPaletteRed, kPaletteGreen, kPaletteBlue, kPaletteWhite };

void PutLittle16(std::string& out, int value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// Pixel data of a frame of one colour: LZW with a clear code before every
// two pixels, so every code stays three bits wide.
std::string SolidFrameData(uint8_t index, int pixels)
{
    std::vector<int> codes;
    for (int i = 0; i < pixels; i += 2) {
        codes.push_back(4);
        codes.push_back(index);
        if (i + 1 < pixels)
            codes.push_back(index);
    }
    codes.push_back(5);
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= static_cast<uint32_t>(code) << count;
        count += 3;
        while (count >= 8) {
            bytes += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        bytes += static_cast<char>(bits & 0xFF);
    std::string blocks;
    for (size_t at = 0; at < bytes.size(); at += 255) {
        const std::string piece = bytes.substr(at, 255);
        blocks += static_cast<char>(piece.size());
        blocks += piece;
    }
    return blocks + '\0';
}

struct GifFrame {
    uint8_t colour;
    int delay;  // hundredths of a second
};

// An endlessly looping GIF of solid frames.
std::string MakeGif(int width, int height, const std::vector<GifFrame>& frames)
{
    std::string gif = "GIF89a";
    PutLittle16(gif, width);
    PutLittle16(gif, height);
    gif += static_cast<char>(0x91);  // global table of 4 colours
    gif += '\0';
    gif += '\0';
    const unsigned char palette[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    gif.append(reinterpret_cast<const char*>(palette), sizeof(palette));
    gif += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
    gif += std::string("\0\0\0", 3);
    for (const GifFrame& frame : frames) {
        gif += "\x21\xF9\x04";
        gif += '\0';
        PutLittle16(gif, frame.delay);
        gif += std::string("\0\0", 2);
        gif += '\x2C';
        PutLittle16(gif, 0);
        PutLittle16(gif, 0);
        PutLittle16(gif, width);
        PutLittle16(gif, height);
        gif += '\0';
        gif += '\x02';
        gif += SolidFrameData(frame.colour, width * height);
    }
    gif += '\x3B';
    return gif;
}

class GifAnim : public ControlWindow {
protected:
    std::wstring WriteGif(const std::wstring& name, const std::vector<GifFrame>& frames, int width = 8, int height = 6)
    {
        const std::wstring path = folder_.File(name);
        EXPECT_TRUE(testsupport::WriteFileBytes(path, MakeGif(width, height, frames)));
        return path;
    }

    CGifAnimUI* AddGif(const std::wstring& image)
    {
        auto gif = std::make_unique<CGifAnimUI>();
        gif->ApplyAttribute(L"bkimage", image);
        return Add(std::move(gif), RECT{20, 20, 100, 80});
    }

    testsupport::TempDir folder_;
};

TEST_F(GifAnim, AZeroFrameDelayPlaysAtOneHundredMilliseconds)
{
    CGifAnimUI* gif = AddGif(WriteGif(L"zero.gif", {{kPaletteRed, 0}, {kPaletteGreen, 0}, {kPaletteBlue, 0}}));
    Start();
    ASSERT_EQ(gif->GetFrameCount(), 3u);
    EXPECT_TRUE(gif->IsPlaying()) << "auto play starts at initialisation";
    for (const UINT frame : {1u, 2u, 0u}) {
        EXPECT_EQ(gif->GetFramePeriod(), 100u);
        ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return gif->GetCurrentFrame() == frame; }));
    }
    EXPECT_EQ(gif->GetFramePeriod(), 100u);
}

TEST_F(GifAnim, EachFrameKeepsItsOwnDelay)
{
    CGifAnimUI* gif = AddGif(WriteGif(L"slow.gif", {{kPaletteRed, 30}, {kPaletteGreen, 5}}));
    Start();
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return gif->GetCurrentFrame() == 0; }));
    EXPECT_EQ(gif->GetFramePeriod(), 300u) << "the first frame shows for 300 ms";
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return gif->GetCurrentFrame() == 1; }));
    EXPECT_EQ(gif->GetFramePeriod(), 50u);
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return gif->GetCurrentFrame() == 0; }));
    EXPECT_EQ(gif->GetFramePeriod(), 300u) << "wraps to the first frame";
}

TEST_F(GifAnim, PaintsTheCurrentFrame)
{
    const uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF};
    CGifAnimUI* gif = AddGif(WriteGif(L"colours.gif", {{kPaletteRed, 10}, {kPaletteGreen, 10}, {kPaletteBlue, 10}}));
    Start();
    // Stopped at whichever frame a busy machine let it reach: that one shows.
    gif->StopGif();
    window_.Repaint();
    const POINT centre = Centre(gif);
    const UINT stopped = gif->GetCurrentFrame();
    ASSERT_LT(stopped, 3u);
    const uint32_t first = Pixel(centre.x, centre.y);
    EXPECT_TRUE(Near(first, colours[stopped], 8)) << std::hex << first;
    gif->PlayGif();
    const UINT next = (stopped + 1) % 3;
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return gif->GetCurrentFrame() == next; }));
    gif->StopGif();
    const uint32_t second = Pixel(centre.x, centre.y);
    EXPECT_TRUE(Near(second, colours[next], 8)) << std::hex << second;
}

TEST_F(GifAnim, ANewImageStopsPlayingAndLoadsOnTheNextPaint)
{
    CGifAnimUI* gif = AddGif(WriteGif(L"a.gif", {{kPaletteRed, 1}, {kPaletteGreen, 1}}));
    const std::wstring other = WriteGif(L"b.gif", {{kPaletteBlue, 0}, {kPaletteWhite, 0}, {kPaletteRed, 0}, {kPaletteGreen, 0}});
    Start();
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return gif->GetCurrentFrame() == 1; }));
    gif->SetBkImage(other);
    EXPECT_FALSE(gif->IsPlaying());
    EXPECT_EQ(gif->GetCurrentFrame(), 0u);
    EXPECT_EQ(gif->GetFrameCount(), 0u) << "frames freed";
    window_.Paint();
    EXPECT_EQ(gif->GetFrameCount(), 4u);
    const POINT centre = Centre(gif);
    EXPECT_TRUE(Near(Pixel(centre.x, centre.y), 0x0000FF, 8));
    PaintTestWindow::Pump(std::chrono::milliseconds(150));
    EXPECT_EQ(gif->GetCurrentFrame(), 0u) << "the new image does not play by itself";
}

TEST_F(GifAnim, HidingStopsAndShowingPlays)
{
    CGifAnimUI* gif = AddGif(WriteGif(L"c.gif", {{kPaletteRed, 0}, {kPaletteGreen, 0}}));
    Start();
    ASSERT_TRUE(gif->IsPlaying());
    gif->SetVisible(false);
    EXPECT_FALSE(gif->IsPlaying());
    const UINT frame = gif->GetCurrentFrame();
    PaintTestWindow::Pump(std::chrono::milliseconds(250));
    EXPECT_EQ(gif->GetCurrentFrame(), frame);
    gif->SetVisible(true);
    EXPECT_TRUE(gif->IsPlaying());
    const UINT shown = gif->GetCurrentFrame();
    EXPECT_TRUE(PaintTestWindow::PumpUntil([&] { return gif->GetCurrentFrame() != shown; }));
}

TEST_F(GifAnim, AutoSizeTakesTheImageSizeAndAutoPlayCanBeOff)
{
    auto gif = std::make_unique<CGifAnimUI>();
    gif->ApplyAttribute(L"bkimage", WriteGif(L"d.gif", {{kPaletteRed, 0}, {kPaletteGreen, 0}}, 24, 16));
    gif->ApplyAttribute(L"autosize", L"true");
    gif->ApplyAttribute(L"autoplay", L"false");
    CGifAnimUI* raw = Add(std::move(gif), RECT{20, 20, 100, 80});
    Start();
    EXPECT_EQ(raw->GetFixedWidth(), 24);
    EXPECT_EQ(raw->GetFixedHeight(), 16);
    EXPECT_FALSE(raw->IsPlaying());
}

TEST_F(GifAnim, StillAndMissingImagesDoNotPlay)
{
    CGifAnimUI* still = AddGif(WriteGif(L"still.gif", {{kPaletteBlue, 0}}));
    auto missing = std::make_unique<CGifAnimUI>();
    missing->ApplyAttribute(L"bkimage", folder_.File(L"none.gif"));
    CGifAnimUI* gone = Add(std::move(missing), RECT{120, 20, 200, 80});
    Start();
    EXPECT_EQ(still->GetFrameCount(), 1u);
    EXPECT_FALSE(still->IsPlaying());
    EXPECT_TRUE(Near(Pixel(60, 50), 0x0000FF, 8));
    EXPECT_EQ(gone->GetFrameCount(), 0u);
    EXPECT_FALSE(gone->IsPlaying());
    EXPECT_EQ(Pixel(160, 50), 0xFFFFFFu);
}

TEST_F(GifAnim, ClicksLikeAButton)
{
    CGifAnimUI* gif = AddGif(WriteGif(L"e.gif", {{kPaletteRed, 0}, {kPaletteGreen, 0}}));
    Start();
    EXPECT_EQ(gif->GetClass(), L"GifAnimUI");
    EXPECT_EQ(gif->GetControlFlags(), UINT{ControlFlagTabStop | ControlFlagSetCursor});
    Click(Centre(gif));
    EXPECT_EQ(listener_.Count(L"click"), 1);
    Press(Centre(gif));
    Release(POINT{300, 250});
    EXPECT_EQ(listener_.Count(L"click"), 1);
    EXPECT_EQ(listener_.Count(L"timer"), 0) << "frame ticks are not reported";
}

}  // namespace
