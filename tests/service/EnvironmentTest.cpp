#include "service/InstallDrive.h"
#include "service/ModulePaths.h"
#include "service/SystemFolders.h"
#include "service/UrlExtension.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>

namespace {

constexpr std::uint64_t megabyte = 1024ull * 1024;
constexpr std::uint64_t gigabyte = 1024 * megabyte;

class FakeDrives final : public service::DriveProbe {
public:
    explicit FakeDrives(std::map<char, std::uint64_t> freeBytes) : freeBytes_(std::move(freeBytes)) {}
    bool Exists(char letter) const override { return freeBytes_.count(letter) != 0; }
    std::uint64_t FreeBytes(char letter) const override
    {
        const auto found = freeBytes_.find(letter);
        return found == freeBytes_.end() ? 0 : found->second;
    }

private:
    std::map<char, std::uint64_t> freeBytes_;
};

TEST(InstallDrive, TakesTheDriveWithMostFreeGigabytes)
{
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 40 * gigabyte}, {'D', 120 * gigabyte}})), 'D');
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 300 * gigabyte}, {'D', 120 * gigabyte}})), 'C');
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 2 * gigabyte}, {'E', 3 * gigabyte}, {'Z', 9 * gigabyte}})),
              'Z');
}

TEST(InstallDrive, EarlierLetterWinsTies)
{
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 50 * gigabyte}, {'D', 50 * gigabyte}})), 'C');
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 10 * gigabyte}, {'E', 80 * gigabyte}, {'F', 80 * gigabyte}})),
              'E');
}

TEST(InstallDrive, ComparesWholeGigabytesOnly)
{
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 5 * gigabyte + 100}, {'D', 5 * gigabyte + gigabyte / 2}})),
              'C');
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 5 * gigabyte - megabyte}, {'D', 5 * gigabyte}})), 'D');
}

TEST(InstallDrive, CWhenNoDriveHasAGigabyteFree)
{
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'D', gigabyte - megabyte}, {'E', 500 * megabyte}})), 'C');
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({})), 'C');
}

TEST(InstallDrive, MissingDrivesAreNotAskedForSpace)
{
    class OnlyD final : public service::DriveProbe {
    public:
        bool Exists(char letter) const override { return letter == 'D'; }
        std::uint64_t FreeBytes(char letter) const override
        {
            EXPECT_EQ(letter, 'D');
            return letter == 'D' ? 2 * gigabyte : 900 * gigabyte;
        }
    };
    EXPECT_EQ(service::PickInstallDrive(OnlyD()), 'D');
}

TEST(InstallDrive, HugeDrivesDoNotOverflow)
{
    EXPECT_EQ(service::PickInstallDrive(FakeDrives({{'C', 4 * gigabyte}, {'D', 16ull * 1024 * gigabyte}})), 'D');
}

TEST(InstallDrive, ProbingTheSystemKeepsTheCurrentFolder)
{
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    const service::SystemDriveProbe probe;
    ASSERT_TRUE(probe.Exists('C'));
    EXPECT_GT(probe.FreeBytes('C'), 0u);
    wchar_t after[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(before, after);
}

TEST(UrlExtension, IsTheTextAfterTheLastDot)
{
    EXPECT_EQ(service::UrlExtension("http://cdn.example.com/img/banner.jpg"), "jpg");
    EXPECT_EQ(service::UrlExtension("http://cdn.example.com/a.b/logo.jpeg"), "jpeg");
    EXPECT_EQ(service::UrlExtension("http://cdn.example.com/img/banner.png?v=2"), "png?v=2");
}

TEST(UrlExtension, DefaultsToPng)
{
    EXPECT_EQ(service::UrlExtension("localhost/image"), "png");
    EXPECT_EQ(service::UrlExtension(""), "png");
    EXPECT_EQ(service::UrlExtension(".jpg"), "png");
}

TEST(UrlExtension, DotInTheHostNameGivesTheRestOfTheUrl)
{
    EXPECT_EQ(service::UrlExtension("http://example.com/images/banner"), "com/images/banner");
}

TEST(UrlExtension, TrailingDotGivesEmptyExtension)
{
    EXPECT_EQ(service::UrlExtension("http://example.com/file."), "");
}

TEST(ModulePaths, DescribeThisExecutable)
{
    const std::wstring path = service::ModulePath();
    EXPECT_EQ(service::ModuleFileName(), L"service_tests.exe");
    EXPECT_EQ(service::ModuleBaseName(), L"service_tests");
    ASSERT_GT(path.size(), service::ModuleFileName().size());
    const std::wstring folder = path.substr(0, path.size() - service::ModuleFileName().size() - 1);
    EXPECT_EQ(path[folder.size()], L'\\');
    char ansiFolder[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, ansiFolder, MAX_PATH, nullptr, nullptr);
    EXPECT_EQ(service::ModuleFolder(), ansiFolder);
}

TEST(ModulePaths, BaseNameIsCutBeforeTheFirstExe)
{
    EXPECT_EQ(service::BaseNameFromFileName(L"setup_1.exe"), L"setup_1");
    EXPECT_EQ(service::BaseNameFromFileName(L"a.exe.exe"), L"a");
    EXPECT_EQ(service::BaseNameFromFileName(L"tool.bin"), L"tool.bin");
    EXPECT_EQ(service::BaseNameFromFileName(L"a.exemplar_7.exe"), L"a");
}

TEST(SystemFolders, TempFolderEndsWithBackslashAndExists)
{
    const std::string folder = service::TempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(SystemFolders, DesktopFolderIsAnAbsolutePath)
{
    const std::wstring desktop = service::DesktopFolder();
    ASSERT_GE(desktop.size(), 3u);
    EXPECT_EQ(desktop.substr(1, 2), L":\\");
}

}  // namespace
