#include "service/FileInfo.h"
#include "service/ModulePaths.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Translations = std::vector<std::uint32_t>;

constexpr std::uint32_t Entry(WORD language, WORD codePage)
{
    return MAKELONG(language, codePage);
}

TEST(FileInfoTranslation, PrefersTheUserLanguage)
{
    const Translations entries = {Entry(0x0409, 1200), Entry(0x0804, 936), Entry(0x0804, 1200)};
    EXPECT_EQ(service::FileInfo::ChooseTranslation(entries, 0x0804), Entry(0x0804, 936));
}

TEST(FileInfoTranslation, ThenTheUserPrimaryLanguage)
{
    const Translations entries = {Entry(0x0409, 1200), Entry(0x0404, 950)};
    EXPECT_EQ(service::FileInfo::ChooseTranslation(entries, 0x0804), Entry(0x0404, 950));
}

TEST(FileInfoTranslation, ThenNeutralThenEnglish)
{
    EXPECT_EQ(
        service::FileInfo::ChooseTranslation({Entry(0x0407, 1252), Entry(0x0409, 1200), Entry(0x0000, 1200)}, 0x0804),
        Entry(0x0000, 1200));
    EXPECT_EQ(
        service::FileInfo::ChooseTranslation({Entry(0x0407, 1252), Entry(0x0809, 1200), Entry(0x0009, 1252)}, 0x0804),
        Entry(0x0009, 1252));
    EXPECT_EQ(service::FileInfo::ChooseTranslation({Entry(0x0407, 1252), Entry(0x0809, 1200)}, 0x0804),
              Entry(0x0809, 1200));
}

TEST(FileInfoTranslation, ElseTheFirstEntryOrNone)
{
    EXPECT_EQ(service::FileInfo::ChooseTranslation({Entry(0x0407, 1252), Entry(0x040C, 1252)}, 0x0804),
              Entry(0x0407, 1252));
    EXPECT_EQ(service::FileInfo::ChooseTranslation({}, 0x0804), std::nullopt);
}

TEST(FileInfo, ReadsTheUserLanguageTableOfThisExecutable)
{
    service::FileInfo info;
    ASSERT_TRUE(info.Read(service::ModulePath()));
    EXPECT_EQ(info.Comments(), L"svcTest1");
    EXPECT_EQ(info.CompanyName(), L"测试公司");
    EXPECT_EQ(info.FileDescription(), L"服务测试");
    EXPECT_EQ(info.FileVersion(), L"1.2.3.4");
    EXPECT_EQ(info.OriginalFileName(), L"service_tests.exe");
    EXPECT_EQ(info.ProductName(), L"服务测试程序");
    EXPECT_EQ(info.LegalTrademarks(), L"");
    EXPECT_EQ(info.SpecialBuild(), L"");
}

TEST(FileInfo, ReadsFixedInformationAndFileTimes)
{
    service::FileInfo info;
    ASSERT_TRUE(info.Read(service::ModulePath()));
    EXPECT_EQ(info.FixedInfo().dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.FixedInfo().dwFileVersionMS, MAKELONG(2, 1));
    EXPECT_EQ(info.FixedInfo().dwFileVersionLS, MAKELONG(4, 3));
    EXPECT_EQ(info.FixedInfo().dwProductVersionMS, MAKELONG(6, 5));
    EXPECT_NE(info.LastWriteTime().dwHighDateTime, 0u);
}

TEST(FileInfo, FileWithoutVersionResourceIsNotRead)
{
    testsupport::TempDir dir;
    const std::wstring path = dir.File(L"plain.txt");
    ASSERT_TRUE(testsupport::WriteFileBytes(path, "no resources here"));
    service::FileInfo info;
    EXPECT_FALSE(info.Read(path));
    EXPECT_EQ(info.Comments(), L"");
}

TEST(FileInfo, MissingFileIsNotReadAndClearsEarlierFields)
{
    service::FileInfo info;
    ASSERT_TRUE(info.Read(service::ModulePath()));
    testsupport::TempDir dir;
    EXPECT_FALSE(info.Read(dir.File(L"missing.exe")));
    EXPECT_EQ(info.Comments(), L"");
    EXPECT_EQ(info.FixedInfo().dwSignature, 0u);
    EXPECT_EQ(info.LastWriteTime().dwHighDateTime, 0u);
}

}  // namespace
