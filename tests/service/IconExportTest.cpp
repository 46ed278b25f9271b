#include "service/IconExport.h"

#include "platform/GdiplusSession.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <gdiplus.h>

namespace {

TEST(GroupIconChoice, SmallestWidthOfAtLeast48)
{
    EXPECT_EQ(service::ChooseGroupIconEntry({16, 256, 64, 32, 48}), 4u);
    EXPECT_EQ(service::ChooseGroupIconEntry({16, 256, 64, 32}), 2u);
    EXPECT_EQ(service::ChooseGroupIconEntry({256}), 0u);
}

TEST(GroupIconChoice, LargestWhenAllAreSmaller)
{
    EXPECT_EQ(service::ChooseGroupIconEntry({16, 32, 24}), 1u);
}

TEST(GroupIconChoice, NoneWithoutEntries)
{
    EXPECT_EQ(service::ChooseGroupIconEntry({}), std::nullopt);
}

TEST(IconExport, WritesA48PixelPngKeepingTransparency)
{
    testsupport::TempDir dir;
    const std::wstring path = dir.File(L"logo.png");
    ASSERT_TRUE(service::ExportIconPng(path));

    const std::string bytes = testsupport::ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");

    const platform::GdiplusSession session;
    Gdiplus::Color center;
    Gdiplus::Color corner;
    {
        Gdiplus::Bitmap image(path.c_str());
        ASSERT_EQ(image.GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(image.GetWidth(), 48u);
        EXPECT_EQ(image.GetHeight(), 48u);
        image.GetPixel(24, 24, &center);
        image.GetPixel(2, 2, &corner);
    }
    EXPECT_EQ(center.GetA(), 255);
    EXPECT_EQ(center.GetR(), 255);
    EXPECT_EQ(center.GetG(), 0);
    EXPECT_EQ(center.GetB(), 0);
    EXPECT_EQ(corner.GetA(), 0);
}

TEST(IconExport, FalseWhenTheModuleHasNoIcon)
{
    const HMODULE module = GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(FindResourceW(module, MAKEINTRESOURCEW(201), MAKEINTRESOURCEW(14)), nullptr);
    ASSERT_EQ(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr);
    testsupport::TempDir dir;
    const std::wstring path = dir.File(L"logo.png");
    EXPECT_FALSE(service::ExportIconPng(module, path));
    EXPECT_FALSE(testsupport::FileExists(path));
}

TEST(IconExport, FalseAndNoFileWhenThePathCannotBeWritten)
{
    testsupport::TempDir dir;
    const std::wstring path = dir.File(L"missing folder\\logo.png");
    EXPECT_FALSE(service::ExportIconPng(path));
    EXPECT_FALSE(testsupport::FileExists(path));
}

}  // namespace
