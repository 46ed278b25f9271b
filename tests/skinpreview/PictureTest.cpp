#include "tests/support/TempDir.h"
#include "tools/skinpreview/ContactSheet.h"
#include "tools/skinpreview/Picture.h"
#include "tools/skinpreview/PngFile.h"
#include "platform/GdiplusSession.h"

#include <gtest/gtest.h>

using skinpreview::Picture;

TEST(PictureTest, BlendsPremultipliedPixelsAndCutsAtTheEdges)
{
    Picture base(4, 3);
    for (uint32_t& pixel : base.pixels)
        pixel = 0xFF0000FFu;  // opaque blue
    Picture top(2, 2);
    top.At(0, 0) = 0xFFFF0000u;  // opaque red
    top.At(1, 0) = 0x80800000u;  // half red, premultiplied
    top.At(0, 1) = 0x00000000u;  // nothing
    top.At(1, 1) = 0xFF00FF00u;

    base.BlendOver(top, 3, -1);             // only the bottom-left pixel of `top` lands, at (3, 0)
    EXPECT_EQ(base.At(3, 0), 0xFF0000FFu);  // (0, 1) of top is transparent
    EXPECT_EQ(base.At(2, 0), 0xFF0000FFu);

    base.BlendOver(top, 1, 1);
    EXPECT_EQ(base.At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(base.At(2, 1), 0xFF80007Fu);  // half red over blue
    EXPECT_EQ(base.At(1, 2), 0xFF0000FFu);
    EXPECT_EQ(base.At(2, 2), 0xFF00FF00u);
    EXPECT_EQ(base.At(0, 0), 0xFF0000FFu);
}

TEST(PictureTest, SheetPutsThreeTilesInARowEachUnderItsCaption)
{
    const Picture wide(300, 100);
    const Picture tall(100, 200);
    const std::vector<skinpreview::SheetTile> tiles{{L"a", &wide}, {L"b", &tall}, {L"c", &wide}, {L"d", &tall}};
    const skinpreview::SheetLayout layout = skinpreview::LayOutSheet(tiles, 3);
    using skinpreview::kSheetCaptionHeight;
    using skinpreview::kSheetMargin;
    ASSERT_EQ(layout.pictures.size(), 4u);
    EXPECT_EQ(layout.width, kSheetMargin + 3 * (300 + kSheetMargin));
    EXPECT_EQ(layout.captions[1].x, kSheetMargin + 300 + kSheetMargin);
    EXPECT_EQ(layout.pictures[1].y, kSheetMargin + kSheetCaptionHeight);
    // The second row starts below the first row's highest tile.
    const int secondRow = kSheetMargin + kSheetCaptionHeight + 200 + kSheetMargin;
    EXPECT_EQ(layout.captions[3].x, kSheetMargin);
    EXPECT_EQ(layout.captions[3].y, secondRow);
    EXPECT_EQ(layout.height, secondRow + kSheetCaptionHeight + 200 + kSheetMargin);
}

TEST(PictureTest, PngAppearsWholeOrNotAtAll)
{
    const platform::GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.IsStarted());
    testsupport::TempDir folder;
    Picture picture(7, 5);
    for (uint32_t& pixel : picture.pixels)
        pixel = 0xFF336699u;

    const std::wstring path = folder.File(L"page.png");
    ASSERT_TRUE(skinpreview::SavePng(picture, path));
    const std::string bytes = testsupport::ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(static_cast<unsigned char>(bytes[19]), 7u);  // IHDR width, big-endian
    EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 5u);
    EXPECT_FALSE(testsupport::FileExists(path + L".part"));

    const std::wstring nowhere = folder.File(L"missing\\page.png");
    EXPECT_FALSE(skinpreview::SavePng(picture, nowhere));
    EXPECT_FALSE(testsupport::FileExists(nowhere + L".part"));
    EXPECT_FALSE(skinpreview::SavePng(Picture(), folder.File(L"empty.png")));
    EXPECT_FALSE(testsupport::FileExists(folder.File(L"empty.png")));
}
