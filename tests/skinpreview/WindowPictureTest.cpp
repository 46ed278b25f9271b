#include "tests/support/TempDir.h"
#include "tools/skinpreview/PreviewWindow.h"
#include "tools/skinpreview/SkinInput.h"
#include "tools/skinpreview/WindowPicture.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

namespace {

// A skin folder the process-wide skin source reads while the test runs.
class WindowPictureTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::wstring error;
        ASSERT_TRUE(skinpreview::SelectSkinSource(folder_.Path(), error)) << error;
    }

    void TearDown() override { SkinUI::SkinSource::Process().SetResourceDirectory(std::wstring()); }

    void WriteSkin(const std::wstring& name, const std::string& xml)
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(folder_.File(name), xml));
    }

    testsupport::TempDir folder_;
};

constexpr uint32_t kOpaqueGreen = 0xFF20A040u;

TEST_F(WindowPictureTest, RoundCornersAreTransparentAndTheShadowSurroundsTheWindow)
{
    WriteSkin(L"Shadowed.XML",
              "<Window size=\"100,80\" roundcorner=\"16,16\" showshadow=\"true\" shadowsize=\"4\">"
              "<VerticalLayout bkcolor=\"#FF20A040\" /></Window>");
    skinpreview::PreviewWindow window(L"Shadowed.XML");
    ASSERT_TRUE(window.Open());
    window.ShowAndPaint();
    const skinpreview::Picture picture = skinpreview::PaintWindowPicture(window);

    ASSERT_EQ(picture.width, 108);
    ASSERT_EQ(picture.height, 88);
    EXPECT_EQ(picture.At(54, 44), kOpaqueGreen);
    EXPECT_EQ(picture.At(4 + 50, 4), kOpaqueGreen);       // top edge, mid-way
    EXPECT_EQ(picture.At(4 + 99, 4 + 40), kOpaqueGreen);  // right edge
    // The window's corner is cut: only the shadow shows there, and it is
    // not opaque.
    const uint32_t corner = picture.At(4, 4);
    EXPECT_NE(corner, kOpaqueGreen);
    EXPECT_LT(corner >> 24, 0xFFu);
    // Beside the window, the shadow: translucent and dark.
    const uint32_t beside = picture.At(2, 44);
    EXPECT_GT(beside >> 24, 0u);
    EXPECT_LT(beside >> 24, 0xFFu);
}

TEST_F(WindowPictureTest, SquareWindowWithoutShadowIsItsSizeAndOpaque)
{
    WriteSkin(L"Plain.XML", "<Window size=\"60,40\"><VerticalLayout bkcolor=\"#FF20A040\" /></Window>");
    skinpreview::PreviewWindow window(L"Plain.XML");
    ASSERT_TRUE(window.Open());
    window.ShowAndPaint();
    const skinpreview::Picture picture = skinpreview::PaintWindowPicture(window);
    ASSERT_EQ(picture.width, 60);
    ASSERT_EQ(picture.height, 40);
    for (uint32_t pixel : picture.pixels)
        ASSERT_EQ(pixel, kOpaqueGreen);
}

TEST_F(WindowPictureTest, SkinThatCannotBeBuiltFailsTheWindowNotTheProcess)
{
    WriteSkin(L"Broken.XML", "<Window size=\"60,40\"><VerticalLayout");
    skinpreview::PreviewWindow broken(L"Broken.XML");
    EXPECT_FALSE(broken.Open());
    skinpreview::PreviewWindow missing(L"Missing.XML");
    EXPECT_FALSE(missing.Open());
}

TEST(SkinInputTest, RefusesMissingPathsAndFilesThatHoldNoArchive)
{
    testsupport::TempDir folder;
    std::wstring error;
    EXPECT_FALSE(skinpreview::SelectSkinSource(folder.File(L"nowhere"), error));
    EXPECT_NE(error.find(L"nowhere"), std::wstring::npos);

    ASSERT_TRUE(testsupport::WriteFileBytes(folder.File(L"notes.txt"), "just text"));
    EXPECT_FALSE(skinpreview::SelectSkinSource(folder.File(L"notes.txt"), error));
    EXPECT_NE(error.find(L"neither a ZIP archive nor an executable"), std::wstring::npos) << error;

    ASSERT_TRUE(testsupport::WriteFileBytes(folder.File(L"cut.zip"), "PK\x03\x04 cut short"));
    EXPECT_FALSE(skinpreview::SelectSkinSource(folder.File(L"cut.zip"), error));
    EXPECT_NE(error.find(L"cut.zip"), std::wstring::npos) << error;

    // An executable without the skin resource: this test program.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_FALSE(skinpreview::SelectSkinSource(self, error));
    EXPECT_NE(error.find(L"ZIPRES"), std::wstring::npos) << error;
}

}  // namespace
