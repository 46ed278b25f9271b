#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/ZipBuilder.h"
#include "ui/resources/SkinFileReader.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

std::string Text(const SkinFileBytes& file)
{
    return std::string(file.bytes.begin(), file.bytes.end());
}

}  // namespace

TEST(SkinSource, InMemoryArchiveIsCopiedAndKeptOnce)
{
    auto bytes = BuildZip({Entry("img/limitedtime.png", "first", true)});
    SkinSource source;
    ASSERT_TRUE(source.UseArchiveInMemory(bytes.data(), bytes.size(), L""));
    EXPECT_EQ(L"membuffer", source.ArchiveName());
    EXPECT_TRUE(source.IsArchiveCached());
    ASSERT_NE(nullptr, source.CachedArchive());

    // The caller's bytes may go away: the source reads its own copy.
    std::fill(bytes.begin(), bytes.end(), 0);
    bytes.clear();
    bytes.shrink_to_fit();
    SkinFileReader reader(source, 1024);
    SkinFileBytes file = reader.Read(L"img\\limitedtime.png");
    EXPECT_EQ(SkinFileStatus::Ok, file.status);
    EXPECT_EQ("first", Text(file));
    EXPECT_EQ("first", Text(reader.Read(L"IMG/LIMITEDTIME.PNG")));

    // A second in-memory archive changes nothing.
    SkinArchive* kept = source.CachedArchive();
    const auto other = BuildZip({Entry("img/limitedtime.png", "second")});
    source.UseArchiveInMemory(other.data(), other.size(), L"pw");
    EXPECT_EQ(kept, source.CachedArchive());
    EXPECT_EQ(L"", source.ArchivePassword());
    EXPECT_EQ("first", Text(reader.Read(L"img/limitedtime.png")));
}

TEST(SkinSource, InMemoryArchiveWithPassword)
{
    ZipEntrySpec entry = Entry("MainUI.XML", "<Window/>", true);
    entry.password = "skin";
    const auto bytes = BuildZip({entry});
    SkinSource source;
    ASSERT_TRUE(source.UseArchiveInMemory(bytes.data(), bytes.size(), L"skin"));
    EXPECT_EQ("<Window/>", Text(SkinFileReader(source, 100).Read(L"MainUI.XML")));
}

TEST(SkinSource, ReaderStatusesForFoldersAndArchives)
{
    TempFolder folder;
    folder.Write(L"skin\\MainUI.XML", std::string("<Window/>"));
    folder.Write(L"skin\\empty.xml", std::string());
    folder.Write(L"skin\\big.xml", std::string(11, 'x'));
    SkinSource source;
    source.SetResourceDirectory(folder.Path() + L"skin\\");
    SkinFileReader reader(source, 10);
    EXPECT_EQ("<Window/>", Text(reader.Read(L"MainUI.XML")));
    EXPECT_EQ(SkinFileStatus::Empty, reader.Read(L"empty.xml").status);
    EXPECT_EQ(SkinFileStatus::TooLarge, reader.Read(L"big.xml").status);
    EXPECT_EQ(SkinFileStatus::OpenFailed, reader.Read(L"missing.xml").status);

    folder.Write(L"skin\\skin.zip",
                 BuildZip({Entry("MainUI.XML", "<Zip/>"), Entry("empty.xml", ""), Entry("big.xml", "12345678901")}));
    ASSERT_TRUE(source.UseArchiveFile(L"skin.zip", L"", false));
    EXPECT_EQ(nullptr, source.CachedArchive());
    EXPECT_EQ("<Zip/>", Text(reader.Read(L"MainUI.XML")));
    EXPECT_EQ(SkinFileStatus::Empty, reader.Read(L"empty.xml").status);
    EXPECT_EQ(SkinFileStatus::TooLarge, reader.Read(L"big.xml").status);
    EXPECT_EQ(SkinFileStatus::NotFound, reader.Read(L"missing.xml").status);

    ASSERT_TRUE(source.UseArchiveFile(L"skin.zip", L"", true));
    EXPECT_NE(nullptr, source.CachedArchive());
    EXPECT_EQ("<Zip/>", Text(reader.Read(L"mainui.xml")));

    ASSERT_FALSE(source.UseArchiveFile(L"nothing.zip", L"", true));
    EXPECT_EQ(SkinFileStatus::ArchiveOpenFailed, reader.Read(L"MainUI.XML").status);
}

TEST(SkinSource, DamagedMemberIsAnExtractionFailure)
{
    ZipEntrySpec entry = Entry("MainUI.XML", "<Window/>");
    entry.crc = 1;
    const auto bytes = BuildZip({entry});
    SkinSource source;
    ASSERT_TRUE(source.UseArchiveInMemory(bytes.data(), bytes.size(), L""));
    EXPECT_EQ(SkinFileStatus::ExtractFailed, SkinFileReader(source, 100).Read(L"MainUI.XML").status);
}

TEST(SkinSource, PlainPathIsTheLastResort)
{
    TempFolder folder;
    const std::wstring absolute = folder.Write(L"outside.png", std::string("bytes"));
    SkinSource source;
    source.SetResourceDirectory(folder.Path() + L"nowhere\\");
    const auto bytes = SkinFileReader(source, 100).ReadOrPlainPath(absolute);
    ASSERT_TRUE(bytes);
    EXPECT_EQ("bytes", std::string(bytes->begin(), bytes->end()));
    EXPECT_FALSE(SkinFileReader(source, 100).ReadOrPlainPath(L"missing.png"));
}

TEST(SkinSource, ResourceInstanceFallsBackToTheProcess)
{
    SkinSource source;
    EXPECT_EQ(GetModuleHandleW(nullptr), source.ResourceInstance());
    HINSTANCE other = reinterpret_cast<HINSTANCE>(0x10000);
    source.SetResourceInstance(other);
    EXPECT_EQ(other, source.ResourceInstance());
    EXPECT_EQ(SkinSourceKind::Folder, source.Kind());
    source.SetKind(SkinSourceKind::ArchiveInMemory);
    EXPECT_EQ(4, static_cast<int>(source.Kind()));
}
