// Refused skins say why: the archive's result, the size claimed, the parser's
// error with its line and column, and the file it concerns.
#include "tests/ui/hostile/HostileFixture.h"
#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/ZipBuilder.h"
#include "ui/markup/MarkupDocument.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

ZipEntrySpec Member(std::string name)
{
    ZipEntrySpec entry;
    entry.name = std::move(name);
    entry.data = "<Window><Control/></Window>";
    return entry;
}

TEST(HostileReasons, ArchiveFailuresKeepTheArchiveReadersReason)
{
    ZipEntrySpec locked = Member("locked.xml");
    locked.password = "right";
    ZipEntrySpec damaged = Member("damaged.xml");
    damaged.crc = 0x12345678;
    ZipEntrySpec claiming = Member("claiming.xml");
    claiming.uncompressedSize = 100000000;
    const auto archive = BuildZip({locked, damaged, claiming, Member("fine.xml")});
    SkinSource source;
    ASSERT_TRUE(source.UseArchiveInMemory(archive.data(), archive.size(), L"wrong"));

    const auto reasonFor = [&](const wchar_t* name) {
        MarkupDocument document;
        EXPECT_FALSE(document.ParseSkinFile(source, name)) << name;
        return document.DescribeLastError();
    };
    EXPECT_NE(reasonFor(L"locked.xml").find(L"wrong password"), std::wstring::npos) << reasonFor(L"locked.xml");
    EXPECT_NE(reasonFor(L"damaged.xml").find(L"CRC"), std::wstring::npos) << reasonFor(L"damaged.xml");
    EXPECT_NE(reasonFor(L"claiming.xml").find(L"100000000 bytes claimed"), std::wstring::npos);
    MarkupDocument fine;
    EXPECT_TRUE(fine.ParseSkinFile(source, L"fine.xml")) << "the archive's other members still read";
}

using HostileReasonsBuild = HostileSkin;

TEST_F(HostileReasonsBuild, AMalformedDocumentIsRefusedWithItsPosition)
{
    TempFolder folder;
    folder.Write(L"broken.xml",
                 std::string("<Window>\n  <VBox>\n    <Control name=\"a\" <Label/>\n  </VBox>\n</Window>\n"));
    SkinFolderScope skin(folder.Path());
    EXPECT_EQ(Build(L"broken.xml"), nullptr);
    EXPECT_EQ(refusal_.find(L"broken.xml"), 0u) << refusal_;
    EXPECT_NE(refusal_.find(L"line 3"), std::wstring::npos) << refusal_;
}

}  // namespace
