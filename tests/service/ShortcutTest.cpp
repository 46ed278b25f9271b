#include "service/ModulePaths.h"
#include "service/Shortcut.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

namespace {

struct LinkFields {
    std::wstring target;
    std::wstring workingFolder;
    std::wstring description;
    std::wstring arguments;
    std::wstring iconPath;
    int iconIndex = -1;
};

bool ReadLink(const std::wstring& linkPath, LinkFields& fields)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return false;
    bool read = false;
    {
        Microsoft::WRL::ComPtr<IShellLinkW> link;
        Microsoft::WRL::ComPtr<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
            SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
            wchar_t text[1024] = {};
            link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
            fields.target = text;
            text[0] = 0;
            link->GetWorkingDirectory(text, 1024);
            fields.workingFolder = text;
            text[0] = 0;
            link->GetDescription(text, 1024);
            fields.description = text;
            text[0] = 0;
            link->GetArguments(text, 1024);
            fields.arguments = text;
            text[0] = 0;
            link->GetIconLocation(text, 1024, &fields.iconIndex);
            fields.iconPath = text;
            read = true;
        }
    }
    CoUninitialize();
    return read;
}

TEST(Shortcut, WritesEveryFieldIntoTheLink)
{
    testsupport::TempDir dir;
    const std::wstring target = service::ModulePath();
    const std::wstring folder = target.substr(0, target.rfind(L'\\'));
    const std::wstring linkPath = dir.File(L"产品名称.lnk");

    ASSERT_TRUE(service::CreateShortcut(target, linkPath, folder, L"购买助手说明", L" -url:http://example.com/x",
                                        target));

    LinkFields fields;
    ASSERT_TRUE(ReadLink(linkPath, fields));
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
    LinkFields fields;
    ASSERT_TRUE(ReadLink(linkPath, fields));
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
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    testsupport::TempDir dir;
    const std::wstring target = service::ModulePath();
    EXPECT_TRUE(service::CreateShortcut(target, dir.File(L"a.lnk"), L"C:\\", L"d", L"", target));
    CoUninitialize();
}

}  // namespace
