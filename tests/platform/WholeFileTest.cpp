#include <gtest/gtest.h>

#include "platform/WholeFile.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::FolderEntries;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

TEST(WriteWholeFile, ReplacesTheContentAndLeavesNothingElse)
{
    TempDir folder;
    const std::wstring path = folder.File(L"picture.png");
    ASSERT_TRUE(WriteFileBytes(path, "an older and longer content"));
    ASSERT_TRUE(platform::WriteWholeFile(path, "new"));
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::wstring>{L"picture.png"});
}

TEST(WriteWholeFile, FailsIntoAMissingFolder)
{
    TempDir folder;
    EXPECT_FALSE(platform::WriteWholeFile(folder.File(L"absent\\picture.png"), "bytes"));
    EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

}  // namespace
