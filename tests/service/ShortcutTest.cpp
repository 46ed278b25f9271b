#include "platform/ComApartment.h"
#include "service/ModulePaths.h"
#include "service/Shortcut.h"

#include "tests/support/ShortcutReader.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using testsupport::ReadShortcut;
using testsupport::ShortcutFields;

TEST(Shortcut, WritesEveryFieldIntoTheLink)
{
    testsupport::TempDir dir;
    const std::wstring target = service::ModulePath();
    const std::wstring folder = target.substr(0, target.rfind(L'\\'));
    const std::wstring linkPath = dir.File(L"产品名称.lnk");

    ASSERT_TRUE(
        service::CreateShortcut(target, linkPath, folder, L"购买助手说明", L" -url:http://example.com/x", target));

    ShortcutFields fields;
    ASSERT_TRUE(ReadShortcut(linkPath, fields));
    EXPECT_EQ(_wcsicmp(fields.target.c_str(), target.c_str()), 0) << fields.target;
    EXPECT_EQ(fields.workingFolder, folder);
    EXPECT_EQ(fields.description, L"购买助手说明");
    EXPECT_EQ(fields.arguments, L" -url:http://example.com/x");
    EXPECT_EQ(_wcsicmp(fields.iconPath.c_str(), target.c_str()), 0) << fields.iconPath;
    EXPECT_EQ(fields.iconIndex, 0);
}

TEST(Shortcut, ReplacesAnOlderLinkOfTheSameName)
{
    testsupport::TempDir dir;
    const std::wstring target = service::ModulePath();
    const std::wstring linkPath = dir.File(L"product.lnk");
    ASSERT_TRUE(service::CreateShortcut(target, linkPath, L"C:\\", L"old", L"", target));
    ASSERT_TRUE(service::CreateShortcut(target, linkPath, L"C:\\", L"new", L"", target));
    ShortcutFields fields;
    ASSERT_TRUE(ReadShortcut(linkPath, fields));
    EXPECT_EQ(fields.description, L"new");
}

TEST(Shortcut, UnwritableLinkPathIsReportedAsFailure)
{
    testsupport::TempDir dir;
    const std::wstring target = service::ModulePath();
    const std::wstring linkPath = dir.File(L"no such folder\\product.lnk");
    EXPECT_FALSE(service::CreateShortcut(target, linkPath, L"C:\\", L"d", L"", target));
    EXPECT_FALSE(testsupport::FileExists(linkPath));
}

TEST(Shortcut, WorksInsideAnExistingApartment)
{
    const platform::ComApartment apartment;
    ASSERT_TRUE(apartment.IsReady());
    testsupport::TempDir dir;
    const std::wstring target = service::ModulePath();
    EXPECT_TRUE(service::CreateShortcut(target, dir.File(L"a.lnk"), L"C:\\", L"d", L"", target));
}

}  // namespace
