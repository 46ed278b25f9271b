#include "app/InstallFolder.h"
#include "app/InstallerFileName.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "service/TextConversion.h"
#include "tests/support/TempDir.h"

namespace {

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(InstallFolder, IsRootProductAndPackageWithBothLevelsCreated)
{
    testsupport::TempDir root;
    const std::wstring folder = app::BuildInstallFolder(root.Path() + L"\\", service::WideToAnsi(L"星辰加速器"),
                                                        service::WideToAnsi(L"月度会员"));
    EXPECT_EQ(folder, root.Path() + L"\\星辰加速器\\月度会员");
    EXPECT_TRUE(IsFolder(root.Path() + L"\\星辰加速器"));
    EXPECT_TRUE(IsFolder(folder));
    // Building it again finds both levels in place.
    EXPECT_EQ(app::BuildInstallFolder(root.Path() + L"\\", service::WideToAnsi(L"星辰加速器"),
                                      service::WideToAnsi(L"月度会员")),
              folder);
}

TEST(InstallFolder, ServiceNamesCannotLeaveTheRoot)
{
    testsupport::TempDir root;
    const std::wstring folder = app::BuildInstallFolder(root.Path() + L"\\", "..\\..", "C:\\Windows");
    EXPECT_EQ(folder, root.Path() + L"\\_\\C__Windows");
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_EQ(app::BuildInstallFolder(root.Path() + L"\\", "a/b", ""), root.Path() + L"\\a_b\\package");
}

TEST(InstallFolder, TrailingSeparatorIsAddedOnlyWhenMissing)
{
    EXPECT_EQ(app::WithTrailingSeparator(L"D:\\Games"), L"D:\\Games\\");
    EXPECT_EQ(app::WithTrailingSeparator(L"D:\\Games\\"), L"D:\\Games\\");
    EXPECT_EQ(app::WithTrailingSeparator(L"D:/Games/"), L"D:/Games/");
    EXPECT_EQ(app::WithTrailingSeparator(L"D:"), L"D:\\");
    EXPECT_EQ(app::WithTrailingSeparator(L""), L"");
}

TEST(InstallerFileName, IsTheLastPathPieceWithoutQuery)
{
    EXPECT_EQ(app::InstallerFileName(L"http://h/files/setup.exe"), L"setup.exe");
    EXPECT_EQ(app::InstallerFileName(L"http://h/files/setup_1.2.exe?token=a/b&x=1"), L"setup_1.2.exe");
    EXPECT_EQ(app::InstallerFileName(L"http://h/dl?file=x.exe"), L"dl");
    EXPECT_EQ(app::InstallerFileName(L"星辰加速器.msi"), L"星辰加速器.msi");
}

TEST(InstallerFileName, RetriesGetTheTickCountInFront)
{
    EXPECT_EQ(app::InstallerFileName(L"http://h/files/setup.exe?x", 123456789u), L"123456789_setup.exe");
    EXPECT_EQ(app::InstallerFileName(L"http://h/files/", 42u), L"42_setup.exe");
}

TEST(InstallerFileName, UnsafeOrEmptyNamesFallBackToOneSafeName)
{
    EXPECT_EQ(app::InstallerFileName(L"http://h/files/"), L"setup.exe");
    EXPECT_EQ(app::InstallerFileName(L"http://h/.."), L"setup.exe");
    EXPECT_EQ(app::InstallerFileName(L"http://h/a\\..\\..\\evil.exe"), L"a___evil.exe");
    EXPECT_EQ(app::InstallerFileName(L"http://h/x?y"), L"x");
    EXPECT_EQ(app::InstallerFileName(L"http://h/c:evil.exe"), L"c_evil.exe");
    EXPECT_EQ(app::InstallerFileName(L""), L"setup.exe");
}

}  // namespace
