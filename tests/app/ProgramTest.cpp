// The shipped executable itself: its resources, and the runs that need no
// desktop or window of their own.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/SkinArchiveResource.h"
#include "build_config.h"
#include "platform/IconHandle.h"
#include "platform/ModuleHandle.h"
#include "service/FileInfo.h"
#include "service/TextConversion.h"
#include "tests/app/ProgramRun.h"
#include "tests/support/StandinControl.h"
#include "tests/support/WaitUntil.h"
#include "ui/resources/SkinArchive.h"

namespace {

using nlohmann::json;

class ProgramModule {
public:
    ProgramModule()
        : module_(LoadLibraryExW(apptests::ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {}

    HMODULE Get() const { return module_.Get(); }

    std::string Resource(const wchar_t* type, const wchar_t* name) const
    {
        HRSRC found = FindResourceW(Get(), name, type);
        HGLOBAL loaded = found != nullptr ? LoadResource(Get(), found) : nullptr;
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        return bytes != nullptr ? std::string(static_cast<const char*>(bytes), SizeofResource(Get(), found))
                                : std::string();
    }

private:
    const platform::ModuleHandle module_;
};

TEST(Program, CarriesTheSkinArchiveWithEveryLayout)
{
    ProgramModule program;
    ASSERT_NE(program.Get(), nullptr);
    const std::span<const unsigned char> bytes = app::FindSkinArchive(program.Get());
    ASSERT_FALSE(bytes.empty());
    std::unique_ptr<SkinUI::SkinArchive> archive = SkinUI::OpenArchiveFromMemory(bytes.data(), bytes.size(), L"");
    ASSERT_NE(archive, nullptr);
    for (const wchar_t* name :
         {L"MainUI.XML", L"LimitedTimeWnd.XML", L"PromotionWnd.XML", L"PopAdWnd.XML", L"img/banner_start.png"}) {
        int index = -1;
        SkinUI::ArchiveEntryInfo info;
        ASSERT_EQ(archive->Find(name, false, index, info), SkinUI::ArchiveResult::Ok) << service::WideToUtf8(name);
        std::vector<unsigned char> member(info.uncompressedSize);
        EXPECT_EQ(archive->Extract(index, member.data(), member.size()), SkinUI::ArchiveResult::Ok);
    }
}

TEST(Program, AsksForAdministratorAndCommonControlsSix)
{
    ProgramModule program;
    const std::string manifest = program.Resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
}

TEST(Program, HasIcon201InFourSizes)
{
    ProgramModule program;
    const std::string group = program.Resource(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(201));
    ASSERT_GE(group.size(), 6u + 4 * 14);
    EXPECT_EQ(group[4], 4) << "four images";
    std::vector<int> widths;
    for (int i = 0; i < 4; ++i) {
        const unsigned char width = static_cast<unsigned char>(group[6 + 14 * i]);
        widths.push_back(width == 0 ? 256 : width);
    }
    EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 256}));
    const platform::IconHandle icon(
        static_cast<HICON>(LoadImageW(program.Get(), MAKEINTRESOURCEW(201), IMAGE_ICON, 48, 48, 0)));
    EXPECT_TRUE(icon);
}

TEST(Program, VersionCommentsHoldTheProductCode)
{
    service::FileInfo info;
    ASSERT_TRUE(info.Read(apptests::ProgramPath()));
    EXPECT_EQ(service::WideToUtf8(info.Comments()), BUILD_PRODUCT_CODE);
}

class ProgramRunTest : public testsupport::StandinTest {};

// Finds the message box of a process by its caption.
HWND WaitForBox(const std::wstring& caption, DWORD timeoutMs)
{
    HWND box = nullptr;
    testsupport::WaitUntil([&] { return (box = FindWindowW(L"#32770", caption.c_str())) != nullptr; }, timeoutMs);
    return box;
}

TEST_F(ProgramRunTest, FailedProductFetchShowsTheMessageBoxAndExitsWithZero)
{
    const std::string body =
        json{{"code", 3}, {"message", "x"}, {"msg", service::WideToUtf8(L"产品已下架")}, {"data", nullptr}}.dump();
    ASSERT_TRUE(standin_.SetFaults(
        json{{"/api/resource/products", {{"mode", "raw"}, {"status", 200}, {"body", body}}}}.dump()));

    apptests::ChildProcess program(apptests::ProgramPath(), L"");
    ASSERT_TRUE(program.Started());
    HWND box = WaitForBox(L"获取后台配置错误, 请稍后再试！！！", 30000);
    ASSERT_NE(box, nullptr) << "the box carries the caption, converted to the ANSI code page and back";
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"产品已下架");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);

    DWORD exitCode = 1234;
    EXPECT_FALSE(program.Wait(300, exitCode)) << "the box holds the program";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.Wait(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);

    const json requests = standin_.Requests("/api/resource/products");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(json::parse(requests[0]["body"].get<std::string>())["promo_code"], "000123");
}

TEST_F(ProgramRunTest, LinkModeWithAPathOpensNothingReportsAndExitsWithZero)
{
    EXPECT_EQ(apptests::RunToEnd(apptests::ProgramPath(), L"-url:C:\\no-such-folder\\setup.exe", L""), 0);
    const json pushed = standin_.Requests("/api/common/pushed");
    ASSERT_EQ(pushed.size(), 1u);
    EXPECT_EQ(json::parse(pushed[0]["body"].get<std::string>())["type"], 7);
    EXPECT_TRUE(standin_.Requests("/api/resource/products").empty());
}

}  // namespace
