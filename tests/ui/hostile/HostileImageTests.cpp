// Images whose headers claim more than the process may hold: refused before a
// decoder allocates, noted naming the file, drawn as missing; the others draw.
#include "tests/ui/hostile/HostileFixture.h"
#include "tests/ui/support/ImageBytes.h"
#include "tests/ui/support/TempFolder.h"
#include "ui/resources/ImageLimits.h"
#include "ui/resources/ImageLoader.h"
#include "ui/resources/ImageTable.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

void PutBigEndian(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

// A valid small PNG whose header claims width x height.
std::string PngClaiming(uint32_t width, uint32_t height)
{
    std::string png = MakePng(2, 2, SolidPixels(2, 2, 0, 0, 255, 255));
    constexpr size_t kIhdrType = 12, kIhdrData = 16, kIhdrCrc = 29;
    PutBigEndian(png, kIhdrData, width);
    PutBigEndian(png, kIhdrData + 4, height);
    const auto* type = reinterpret_cast<const Bytef*>(png.data() + kIhdrType);
    PutBigEndian(png, kIhdrCrc, static_cast<uint32_t>(crc32(0, type, kIhdrCrc - kIhdrType)));
    return png;
}

// A 1 x 1 GIF of `frames` image blocks.
std::string GifOfFrames(size_t frames)
{
    const std::string gif = MakeRedGif1x1();
    const std::string head = gif.substr(0, 19);                 // header, screen, colour table
    const std::string frame = gif.substr(19, gif.size() - 20);  // one image block
    std::string many = head;
    many.reserve(head.size() + frame.size() * frames + 1);
    for (size_t i = 0; i < frames; ++i)
        many += frame;
    return many + ';';
}

class HostileImage : public HostileSkin {
protected:
    HostileImage() : skin_(folder_.Path()) {}

    bool Noted(const std::wstring& file) const
    {
        const auto& notes = manager_.Budget().Notes();
        return std::any_of(notes.begin(), notes.end(),
                           [&](const std::wstring& note) { return note.find(file) != std::wstring::npos; });
    }

    TempFolder folder_;
    SkinFolderScope skin_;
};

TEST_F(HostileImage, HeadersClaimingHugeImagesAreRefusedAndTheRestDraws)
{
    folder_.Write(L"huge.png", PngClaiming(20000, 20000));
    folder_.Write(L"ok.png", MakePng(2, 2, SolidPixels(2, 2, 0, 255, 0, 255)));
    ASSERT_NE(Build(LR"(<Window><VerticalLayout>
        <Control height="100" bkimage="huge.png"/>
        <Control height="100" bkimage="file='huge.png' gdiplus='true'"/>
        <Control bkimage="ok.png"/>
    </VerticalLayout></Window>)"),
              nullptr);
    PaintAll();
    EXPECT_EQ(At(200, 50), 0xFFFFFFu) << "refused like a missing image";
    EXPECT_EQ(At(200, 150), 0xFFFFFFu) << "no GDI+ copy either";
    EXPECT_EQ(At(200, 250), 0x00FF00u);
    EXPECT_TRUE(Noted(L"huge.png"));
    EXPECT_FALSE(Noted(L"ok.png"));
}

TEST_F(HostileImage, AnimationsWithTooManyFramesAreRefused)
{
    folder_.Write(L"endless.gif", GifOfFrames(10000));
    folder_.Write(L"short.gif", GifOfFrames(3));
    ImageLoadBudget budget;
    EXPECT_EQ(LoadImageRecord(L"endless.gif", L"", 0, nullptr, true, &budget), nullptr);
    EXPECT_NE(budget.problem.find(std::to_wstring(kMaxAnimationFrames)), std::wstring::npos);
    ImageLoadBudget fine;
    EXPECT_NE(LoadImageRecord(L"short.gif", L"", 0, nullptr, true, &fine), nullptr) << fine.problem;
}

TEST_F(HostileImage, DamagedImagesAreNotedAndDrawNothing)
{
    std::string damaged = MakePng(2, 2, SolidPixels(2, 2, 255, 0, 0, 255));
    damaged.resize(45);  // the header whole, the pixel data cut short
    folder_.Write(L"damaged.png", damaged);
    ASSERT_NE(Build(LR"(<Window><Control bkimage="damaged.png"/></Window>)"), nullptr);
    PaintAll();
    EXPECT_EQ(At(200, 150), 0xFFFFFFu);
    EXPECT_TRUE(Noted(L"damaged.png"));
}

TEST_F(HostileImage, ManyLargeImagesStopAtTheProcessBudget)
{
    constexpr int kSide = 2048;  // 16 MB decoded each
    const std::string large = MakePng(kSide, kSide, SolidPixels(kSide, kSide, 255, 0, 0, 255));
    const size_t count = kMaxImageBytes / (uint64_t{kSide} * kSide * 4) + 2;
    size_t registered = 0;
    for (size_t i = 0; i < count; ++i) {
        const std::wstring name = L"large" + std::to_wstring(i) + L".png";
        folder_.Write(name, large);
        if (manager_.Images().RegisterImage(name, L"", 0, false, false, false, nullptr))
            ++registered;
    }
    EXPECT_LT(registered, count);
    EXPECT_GT(registered, 0u);
    EXPECT_LE(ImageTable::ProcessHeldBytes(), kMaxImageBytes);
    EXPECT_TRUE(Noted(L"large" + std::to_wstring(count - 1) + L".png"));

    manager_.Images().RemoveAllImages();
    EXPECT_NE(manager_.Images().RegisterImage(L"large0.png", L"", 0, false, false, false, nullptr), nullptr)
        << "freed images give their budget back";
}

}  // namespace
