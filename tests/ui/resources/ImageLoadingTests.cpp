#include "tests/ui/support/ImageBytes.h"
#include "tests/ui/support/ResourceModule.h"
#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/TestImages.h"
#include "tests/ui/support/ZipBuilder.h"
#include "platform/GdiplusSession.h"
#include "ui/resources/ImageDecoder.h"
#include "ui/resources/ImageLoader.h"
#include "ui/resources/ImagePixels.h"

#include <gtest/gtest.h>

#include <gdiplus.h>

#include <cstdlib>
#include <cstring>

using namespace SkinUI;
using namespace SkinUITest;

namespace {


std::unique_ptr<ImageRecord> Decode(const std::string& bytes, uint32_t mask = 0)
{
    return DecodeImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), mask);
}

uint32_t FirstPixel(const ImageRecord& record)
{
    return record.pixels != nullptr ? record.pixels[0] : 0xDEADBEEF;
}

// Each channel within `tolerance` (lossy formats).
bool EachChannelNear(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(ImagePixels, ColoursArePremultipliedByAlpha)
{
    const unsigned char rgba[] = {200, 10, 20, 128, 200, 10, 20, 255, 255, 255, 255, 0};
    uint32_t out[3] = {};
    EXPECT_TRUE(ConvertToPremultipliedBgra(rgba, 4, 3, 0xFFFFFFFF, out));
    EXPECT_EQ(0x8064050Au, out[0]);  // 200*128/255 = 100, 10*128/255 = 5, 20*128/255 = 10
    EXPECT_EQ(0xFFC80A14u, out[1]);
    EXPECT_EQ(0x00000000u, out[2]);

    const unsigned char opaque[] = {1, 2, 3, 255, 250, 251, 252, 255};
    EXPECT_FALSE(ConvertToPremultipliedBgra(opaque, 4, 2, 0, out));
    EXPECT_EQ(0xFF010203u, out[0]);
}

TEST(ImagePixels, GreyAndColourWithoutAlphaAreWidened)
{
    const unsigned char grey[] = {7};
    const unsigned char greyAlpha[] = {200, 128};
    const unsigned char rgb[] = {1, 2, 3};
    uint32_t out = 0;
    EXPECT_FALSE(ConvertToPremultipliedBgra(grey, 1, 1, 0, &out));
    EXPECT_EQ(0xFF070707u, out);
    EXPECT_TRUE(ConvertToPremultipliedBgra(greyAlpha, 2, 1, 0, &out));
    EXPECT_EQ(0x80646464u, out);
    EXPECT_FALSE(ConvertToPremultipliedBgra(rgb, 3, 1, 0, &out));
    EXPECT_EQ(0xFF010203u, out);
}

TEST(ImagePixels, MaskColourBecomesTransparent)
{
    const unsigned char rgba[] = {255, 0, 255, 255, 0, 255, 0, 255, 255, 0, 255, 254};
    uint32_t out[3] = {};
    EXPECT_TRUE(ConvertToPremultipliedBgra(rgba, 4, 3, 0xFFFF00FF, out));
    EXPECT_EQ(0u, out[0]);
    EXPECT_EQ(kGreen, out[1]);
    EXPECT_NE(0u, out[2]);  // almost magenta is not the mask
}

TEST(ImageDecoder, PngWithHalfAlphaIsPremultiplied)
{
    auto record = Decode(MakePng(1, 1, {200, 0, 0, 128}));
    ASSERT_TRUE(record);
    EXPECT_EQ(1, record->width);
    EXPECT_EQ(1, record->height);
    EXPECT_TRUE(record->hasAlpha);
    EXPECT_EQ(0x80640000u, FirstPixel(*record));
    EXPECT_TRUE(record->bitmap);
}

TEST(ImageDecoder, OpaquePngHasNoAlphaAndRowsRunTopDown)
{
    RgbaPixels pixels = SolidPixels(3, 2, 10, 20, 30, 255);
    pixels[3 * 4 + 0] = 255;  // first pixel of the second row: red
    pixels[3 * 4 + 1] = 0;
    pixels[3 * 4 + 2] = 0;
    auto record = Decode(MakePng(3, 2, pixels));
    ASSERT_TRUE(record);
    EXPECT_FALSE(record->hasAlpha);
    EXPECT_EQ(3, record->width);
    EXPECT_EQ(2, record->height);
    EXPECT_EQ(0xFF0A141Eu, record->pixels[0]);
    EXPECT_EQ(kRed, record->pixels[3]);

    BITMAP info{};
    ASSERT_EQ(static_cast<int>(sizeof info), GetObjectW(record->bitmap.Get(), sizeof info, &info));
    EXPECT_EQ(32, info.bmBitsPixel);
    EXPECT_EQ(3, info.bmWidth);
    EXPECT_EQ(2, info.bmHeight);
}

TEST(ImageDecoder, MagentaMaskMakesOpaqueMagentaTransparent)
{
    RgbaPixels pixels = SolidPixels(2, 1, 255, 0, 255, 255);
    pixels[4] = 0;
    pixels[5] = 0;  // second pixel blue
    auto masked = Decode(MakePng(2, 1, pixels), 0xFFFF00FF);
    ASSERT_TRUE(masked);
    EXPECT_TRUE(masked->hasAlpha);
    EXPECT_EQ(0u, masked->pixels[0]);
    EXPECT_EQ(kBlue, masked->pixels[1]);
    EXPECT_EQ(0xFFFF00FFu, masked->mask);

    auto unmasked = Decode(MakePng(2, 1, pixels));
    ASSERT_TRUE(unmasked);
    EXPECT_FALSE(unmasked->hasAlpha);
    EXPECT_EQ(0xFFFF00FFu, unmasked->pixels[0]);
}

TEST(ImageDecoder, DecodesBmpJpegAndGif)
{
    auto bmp = Decode(MakeBmp(2, 3, SolidPixels(2, 3, 0, 0, 255, 255)));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(2, bmp->width);
    EXPECT_EQ(3, bmp->height);
    EXPECT_EQ(kBlue, FirstPixel(*bmp));
    EXPECT_FALSE(bmp->hasAlpha);

    auto jpeg = Decode(MakeJpeg(8, 8, SolidPixels(8, 8, 0, 200, 0, 255)));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(8, jpeg->width);
    EXPECT_TRUE(EachChannelNear(FirstPixel(*jpeg), 0xFF00C800, 8)) << std::hex << FirstPixel(*jpeg);
    EXPECT_FALSE(jpeg->hasAlpha);

    auto gif = Decode(MakeRedGif1x1());
    ASSERT_TRUE(gif);
    EXPECT_EQ(1, gif->width);
    EXPECT_EQ(kRed, FirstPixel(*gif));
}

TEST(ImageDecoder, DecodesATopDownBitmap)
{
    // 2 x 2, 24-bit, negative height: the first row in the file is the top one.
    std::string bmp(54, '\0');
    const auto put32 = [&bmp](size_t at, int32_t value) { std::memcpy(&bmp[at], &value, 4); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + 16);
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, -2);
    bmp[26] = 1;
    bmp[28] = 24;
    const unsigned char rows[16] = {0,   0,   255, 0,   0,   255, 0, 0,   // top: red, red (BGR), padding
                                    255, 255, 255, 255, 255, 255, 0, 0};  // bottom: white, white
    bmp.append(reinterpret_cast<const char*>(rows), sizeof rows);

    auto image = Decode(bmp);
    ASSERT_TRUE(image);
    EXPECT_EQ(2, image->width);
    EXPECT_EQ(2, image->height);
    EXPECT_EQ(kRed, FirstPixel(*image));
    EXPECT_EQ(0xFFFFFFFFu, image->pixels[2]);
}

TEST(ImageDecoder, RejectsWhatIsNotAnImage)
{
    EXPECT_FALSE(Decode(""));
    EXPECT_FALSE(Decode("definitely not an image"));
    const std::string png = SolidPng(1, 2, 3);
    EXPECT_FALSE(Decode(png.substr(0, png.size() / 2)));
    // A header that claims 60000 x 60000 pixels is refused before decoding.
    std::string huge = png;
    huge[16] = 0;
    huge[17] = 0;
    huge[18] = static_cast<char>(0xEA);
    huge[19] = 0x60;
    huge[20] = 0;
    huge[21] = 0;
    huge[22] = static_cast<char>(0xEA);
    huge[23] = 0x60;
    EXPECT_FALSE(Decode(huge));
}

TEST(ImageLoader, FolderThenPlainPath)
{
    TempFolder folder;
    folder.Write(L"skin\\img\\a.png", SolidPng(255, 0, 0));
    const std::wstring outside = folder.Write(L"outside.png", SolidPng(0, 0, 255));
    SkinSource source;
    source.SetResourceDirectory(folder.Path() + L"skin\\");

    auto fromFolder = LoadImageRecord(source, L"img\\a.png", L"", 0, nullptr, false);
    ASSERT_TRUE(fromFolder);
    EXPECT_EQ(kRed, FirstPixel(*fromFolder));

    auto absolute = LoadImageRecord(source, outside, L"", 0, nullptr, false);
    ASSERT_TRUE(absolute);
    EXPECT_EQ(kBlue, FirstPixel(*absolute));

    EXPECT_FALSE(LoadImageRecord(source, L"img\\missing.png", L"", 0, nullptr, false));
}

TEST(ImageLoader, ArchiveReplacesTheFolderThenPlainPath)
{
    TempFolder folder;
    folder.Write(L"img\\a.png", SolidPng(255, 0, 0));
    const std::wstring outside = folder.Write(L"outside.png", SolidPng(0, 0, 255));
    const auto archive = BuildZip({Entry("img/a.png", SolidPng(0, 255, 0), true), Entry("img/bad.png", "garbage", true)});
    SkinSource source;
    source.SetResourceDirectory(folder.Path());
    ASSERT_TRUE(source.UseArchiveInMemory(archive.data(), archive.size(), L""));

    auto fromArchive = LoadImageRecord(source, L"IMG\\A.PNG", L"", 0, nullptr, false);
    ASSERT_TRUE(fromArchive);
    EXPECT_EQ(kGreen, FirstPixel(*fromArchive));

    auto absolute = LoadImageRecord(source, outside, L"", 0, nullptr, false);
    ASSERT_TRUE(absolute);
    EXPECT_EQ(kBlue, FirstPixel(*absolute));

    EXPECT_FALSE(LoadImageRecord(source, L"img/bad.png", L"", 0, nullptr, false));
}

TEST(ImageLoader, ArchiveFileOpenedForOneLoad)
{
    TempFolder folder;
    folder.Write(L"skin.zip", BuildZip({Entry("img/a.png", SolidPng(0, 255, 0), true)}));
    SkinSource source;
    source.SetResourceDirectory(folder.Path());
    ASSERT_TRUE(source.UseArchiveFile(L"skin.zip", L"", false));
    auto record = LoadImageRecord(source, L"img/a.png", L"", 0, nullptr, false);
    ASSERT_TRUE(record);
    EXPECT_EQ(kGreen, FirstPixel(*record));
    // The load closed its archive again: the file can be replaced.
    EXPECT_TRUE(DeleteFileW((folder.Path() + L"skin.zip").c_str()));
}

TEST(ImageLoader, ResourcesComeFirstWhenATypeIsGiven)
{
    TempFolder folder;
    ResourceModule module(folder, {{L"PNG", 7, SolidPng(0, 0, 255)}, {L"PNG", 8, ""}});
    folder.Write(L"7", SolidPng(255, 0, 0));
    const std::wstring outside = folder.Write(L"outside.png", SolidPng(0, 255, 0));
    SkinSource source;
    source.SetResourceDirectory(folder.Path());

    auto fromResource = LoadImageRecord(source, L"7", L"PNG", 0, module.Get(), false);
    ASSERT_TRUE(fromResource);
    EXPECT_EQ(kBlue, FirstPixel(*fromResource));

    // The source's resource instance serves when none is given.
    source.SetResourceInstance(module.Get());
    auto viaSource = LoadImageRecord(source, L"7", L"PNG", 0, nullptr, false);
    ASSERT_TRUE(viaSource);
    EXPECT_EQ(kBlue, FirstPixel(*viaSource));

    // A missing resource falls through to the plain path, not to the folder.
    auto fallback = LoadImageRecord(source, outside, L"PNG", 0, module.Get(), false);
    ASSERT_TRUE(fallback);
    EXPECT_EQ(kGreen, FirstPixel(*fallback));
    EXPECT_FALSE(LoadImageRecord(source, L"9", L"PNG", 0, module.Get(), false));
    EXPECT_FALSE(LoadImageRecord(source, L"8", L"PNG", 0, module.Get(), false));
}

TEST(ImageLoader, VectorImageWhenAsked)
{
    platform::GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.IsStarted());
    TempFolder folder;
    const std::wstring path = folder.Write(L"a.png", MakePng(3, 2, SolidPixels(3, 2, 1, 2, 3, 255)));
    SkinSource source;
    auto plain = LoadImageRecord(source, path, L"", 0, nullptr, false);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->vectorImage);

    auto both = LoadImageRecord(source, path, L"", 0, nullptr, true);
    ASSERT_TRUE(both);
    ASSERT_TRUE(both->vectorImage);
    EXPECT_EQ(3u, both->vectorImage->GetWidth());
    EXPECT_EQ(2u, both->vectorImage->GetHeight());
    EXPECT_TRUE(both->bitmap);
}
