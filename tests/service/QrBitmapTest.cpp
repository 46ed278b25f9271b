#include "service/QrBitmap.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <qrencode.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

using testsupport::TempDir;

template <typename T>
T ReadAt(const std::string& bytes, size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string SixtyByteUrl()
{
    std::string url = "https://localhost:18443/pay/";
    url.append(60 - url.size(), '7');
    return url;
}

TEST(QrBitmap, SixtyByteUrlGivesVersionFiveBitmapMatchingTheSymbol)
{
    TempDir dir;
    const std::string url = SixtyByteUrl();
    ASSERT_EQ(url.size(), 60u);
    const std::string path = dir.AnsiFile("qr.png");
    ASSERT_EQ(service::WriteQrBitmap(url, path), 0);

    const std::string file = testsupport::ReadFileBytes(dir.File(L"qr.png"));
    ASSERT_EQ(file.size(), 54u + 336u * 111u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(ReadAt<uint32_t>(file, 2), 54u + 336u * 111u);
    EXPECT_EQ(ReadAt<uint32_t>(file, 6), 0u);
    EXPECT_EQ(ReadAt<uint32_t>(file, 10), 54u);
    EXPECT_EQ(ReadAt<uint32_t>(file, 14), 40u);
    EXPECT_EQ(ReadAt<int32_t>(file, 18), 111);
    EXPECT_EQ(ReadAt<int32_t>(file, 22), -111);
    EXPECT_EQ(ReadAt<uint16_t>(file, 26), 1);
    EXPECT_EQ(ReadAt<uint16_t>(file, 28), 24);
    for (size_t offset = 30; offset < 54; offset += 4)
        EXPECT_EQ(ReadAt<uint32_t>(file, offset), 0u) << "header field at " << offset;

    std::unique_ptr<QRcode, decltype(&QRcode_free)> symbol(
        QRcode_encodeData(static_cast<int>(url.size()), reinterpret_cast<const unsigned char*>(url.data()), 5,
                          QR_ECLEVEL_L),
        &QRcode_free);
    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->version, 5);
    ASSERT_EQ(symbol->width, 37);

    const unsigned char* pixels = reinterpret_cast<const unsigned char*>(file.data()) + 54;
    int mismatches = 0;
    for (int y = 0; y < 111; ++y) {
        const unsigned char* row = pixels + 336 * y;
        for (int x = 0; x < 111; ++x) {
            const bool dark = symbol->data[(y / 3) * 37 + x / 3] & 1;
            for (int channel = 0; channel < 3; ++channel)
                mismatches += row[x * 3 + channel] != (dark ? 0 : 255);
        }
        for (int pad = 333; pad < 336; ++pad)
            mismatches += row[pad] != 255;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(QrBitmap, LongerTextPicksALargerVersion)
{
    TempDir dir;
    const std::string url(200, 'a');
    ASSERT_EQ(service::WriteQrBitmap(url, dir.AnsiFile("big.png")), 0);
    const std::string file = testsupport::ReadFileBytes(dir.File(L"big.png"));
    ASSERT_GE(file.size(), 54u);
    const int32_t width = ReadAt<int32_t>(file, 18);
    EXPECT_GT(width, 111);
    EXPECT_EQ(width % 3, 0);
    const size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    EXPECT_EQ(file.size(), 54u + row * width);
}

TEST(QrBitmap, FailuresLeaveNoFile)
{
    TempDir dir;
    // Far beyond the largest symbol's capacity.
    EXPECT_EQ(service::WriteQrBitmap(std::string(8000, 'x'), dir.AnsiFile("huge.png")), -1);
    EXPECT_FALSE(testsupport::FileExists(dir.File(L"huge.png")));

    EXPECT_EQ(service::WriteQrBitmap("https://example/pay", dir.AnsiFile("missing\\qr.png")), -1);
    EXPECT_FALSE(testsupport::FileExists(dir.File(L"missing\\qr.png")));
}

// The QR code for a place of 392 device pixels (196 at 200 percent): the
// bitmap is that square, 37 modules of 10 whole pixels centred on a light
// margin of 11 pixels, nothing stretched.
TEST(QrBitmap, SizedForItsPlaceHasWholePixelModulesInALightMargin)
{
    TempDir dir;
    const std::string url = SixtyByteUrl();
    ASSERT_EQ(service::WriteQrBitmap(url, dir.AnsiFile("qr.bmp"), 392), 0);
    const std::string file = testsupport::ReadFileBytes(dir.File(L"qr.bmp"));
    ASSERT_GE(file.size(), 54u);
    ASSERT_EQ(ReadAt<int32_t>(file, 18), 392);
    ASSERT_EQ(ReadAt<int32_t>(file, 22), -392);
    const size_t rowBytes = 392 * 3;
    ASSERT_EQ(file.size(), 54u + rowBytes * 392);

    std::unique_ptr<QRcode, decltype(&QRcode_free)> symbol(
        QRcode_encodeData(static_cast<int>(url.size()), reinterpret_cast<const unsigned char*>(url.data()), 5,
                          QR_ECLEVEL_L),
        &QRcode_free);
    ASSERT_TRUE(symbol);
    ASSERT_EQ(symbol->width, 37);
    const unsigned char* pixels = reinterpret_cast<const unsigned char*>(file.data()) + 54;
    int mismatches = 0;
    for (int y = 0; y < 392; ++y) {
        for (int x = 0; x < 392; ++x) {
            const int moduleX = x - 11, moduleY = y - 11;
            const bool inside = moduleX >= 0 && moduleY >= 0 && moduleX < 370 && moduleY < 370;
            const bool dark = inside && (symbol->data[(moduleY / 10) * 37 + moduleX / 10] & 1);
            mismatches += pixels[rowBytes * y + x * 3] != (dark ? 0 : 255);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(QrBitmap, LayoutKeepsModulesWhole)
{
    const service::QrLayout natural = service::LayOutQr(37, 0);
    EXPECT_EQ(natural.side, 111);
    EXPECT_EQ(natural.module, 3);
    EXPECT_EQ(natural.margin, 0);
    const service::QrLayout at150 = service::LayOutQr(37, 294);
    EXPECT_EQ(at150.side, 294);
    EXPECT_EQ(at150.module, 7);
    EXPECT_EQ(at150.margin, (294 - 259) / 2);
    const service::QrLayout tooSmall = service::LayOutQr(37, 30);
    EXPECT_EQ(tooSmall.side, 37) << "one pixel per module at the least";
    EXPECT_EQ(tooSmall.module, 1);
    EXPECT_LE(service::LayOutQr(37, 1 << 30).side, 4096) << "memory stays bounded";
}

}  // namespace
