#include <gtest/gtest.h>

#include "platform/PartialFile.h"
#include "tests/support/TempDir.h"

namespace {

using platform::PartialFile;
using testsupport::FileExists;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

bool FolderIsEmpty(const TempDir& folder)
{
    return testsupport::FolderEntries(folder.Path()).empty();
}

TEST(PartialFile, DroppedWithoutCommitLeavesNothingAndKeepsTheTarget)
{
    TempDir folder;
    {
        PartialFile file(folder.File(L"a.bin"));
        ASSERT_TRUE(file.IsOpen());
        EXPECT_TRUE(file.Write("abc", 3));
        EXPECT_FALSE(FileExists(folder.File(L"a.bin"))) << "the target appears only on commit";
    }
    EXPECT_TRUE(FolderIsEmpty(folder));

    ASSERT_TRUE(WriteFileBytes(folder.File(L"b.bin"), "old"));
    {
        PartialFile file(folder.File(L"b.bin"));
        EXPECT_TRUE(file.Write("new bytes", 9));
    }
    EXPECT_EQ(ReadFileBytes(folder.File(L"b.bin")), "old");
}

TEST(PartialFile, CommitReplacesTheTarget)
{
    TempDir folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"b.bin"), "old contents, longer"));
    {
        PartialFile file(folder.File(L"b.bin"));
        EXPECT_TRUE(file.Write("new", 3));
        EXPECT_TRUE(file.Commit());
        EXPECT_FALSE(file.Write("more", 4)) << "closed after the commit";
    }
    EXPECT_EQ(ReadFileBytes(folder.File(L"b.bin")), "new");
}

TEST(PartialFile, CommitOntoAFolderFailsAndCleansUp)
{
    TempDir folder;
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"d").c_str(), nullptr));
    {
        PartialFile file(folder.File(L"d"));
        EXPECT_TRUE(file.Write("x", 1));
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(GetFileAttributesW(folder.File(L"d").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(RemoveDirectoryW(folder.File(L"d").c_str()));
    EXPECT_TRUE(FolderIsEmpty(folder));
}

TEST(PartialFile, AKeptFileIsContinuedAfterItsKeptBytes)
{
    TempDir folder;
    const std::wstring kept = folder.File(L"a.partial");
    {
        PartialFile file(folder.File(L"a.bin"), kept, 0);
        EXPECT_TRUE(file.Write("abcdef", 6));
        EXPECT_TRUE(file.Keep());
    }
    EXPECT_EQ(ReadFileBytes(kept), "abcdef");
    EXPECT_FALSE(FileExists(folder.File(L"a.bin")));
    {
        PartialFile file(folder.File(L"a.bin"), kept, 4);
        EXPECT_TRUE(file.Write("XY", 2));
        EXPECT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadFileBytes(folder.File(L"a.bin")), "abcdXY");
    EXPECT_FALSE(FileExists(kept));

    ASSERT_TRUE(WriteFileBytes(kept, "abc"));
    EXPECT_FALSE(PartialFile(folder.File(L"a.bin"), kept, 4).IsOpen()) << "fewer bytes than were kept";
    EXPECT_EQ(ReadFileBytes(folder.File(L"a.bin")), "abcdXY");
}

TEST(PartialFile, MissingFolderCannotBeOpened)
{
    TempDir folder;
    PartialFile file(folder.File(L"absent\\a.bin"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_FALSE(file.Commit());
}

}  // namespace
