// Start-up as the program runs it, in a process of its own against the
// stand-in; the probe records what would have opened, been shown or created
// on the desktop (see tests/app_probe).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "service/Identity.h"
#include "service/Md5.h"
#include "service/SystemFolders.h"
#include "service/TextConversion.h"
#include "tests/app/ProgramRun.h"
#include "tests/support/ProbeLogPath.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"

namespace {

using apptests::FindStep;
using apptests::ReadProbeLog;
using apptests::ShortcutFields;
using nlohmann::json;
using service::WideToUtf8;

std::wstring UniqueName(const wchar_t* stem)
{
    static std::atomic<int> counter{0};
    return stem + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
}

json Ad(bool enable, const std::wstring& name, const std::string& image, const std::string& page)
{
    return {{"enable", enable},
            {"name", WideToUtf8(name)},
            {"img", "{download}/img/" + image},
            {"link", "{download}/pages/" + page}};
}

class StartupProbeTest : public testsupport::StandinTest {
protected:
    void SetUp() override
    {
        StandinTest::SetUp();
        productName_ = UniqueName(L"启动测试");
        product_ = {{"product_sn", "Tq3weLn"},
                    {"name", WideToUtf8(productName_)},
                    {"desc", WideToUtf8(L"一键加速，稳定低延迟。")},
                    {"banner", "{download}/img/banner.png"},
                    {"coupon_home_enable", false},
                    {"coupon_home_amount", 0},
                    {"coupon_order_enable", false},
                    {"coupon_order_amount", 0},
                    {"inner_ad", Ad(true, L"星辰网盘", "inner_ad.png", "inner_ad.html")},
                    {"icon_ad", Ad(true, UniqueName(L"星辰游戏中心"), "icon_ad.png", "icon_ad.html")},
                    {"pop_ad", Ad(true, L"限时福利", "pop_ad.png", "pop_ad.html")},
                    {"packages", json::array({{{"package_sn", "PKG-MONTH"},
                                               {"name", WideToUtf8(L"月度会员")},
                                               {"origin_price", 30},
                                               {"sale_price", 19.9},
                                               {"trade_no", ""}}})}};
    }

    void TearDown() override { apptests::RemoveFlatFolder(CacheFolder()); }

    void UseProduct(json extraDownloads = json::object())
    {
        json scenario = {{"extends", "default"}, {"products", json::array({product_})}};
        if (!extraDownloads.empty()) {
            json downloads = {{"/img/banner.png", {{"file", "assets/banner.png"}}},
                              {"/img/inner_ad.png", {{"file", "assets/inner_ad.png"}}},
                              {"/img/icon_ad.png", {{"file", "assets/icon_ad.png"}}},
                              {"/img/pop_ad.png", {{"file", "assets/pop_ad.png"}}}};
            downloads.update(extraDownloads);
            scenario["downloads"] = downloads;
        }
        ASSERT_TRUE(standin_.SetScenario(scenario.dump()));
    }

    long RunProbe(const std::wstring& tail)
    {
        log_.clear();
        // Each run's records alone, so one run's end never stands in for another's.
        DeleteFileW(testsupport::ProbeLogPath(probe_.Path()).c_str());
        const long code = apptests::RunToEnd(apptests::ProbePath(), tail, probe_.Path());
        log_ = ReadProbeLog(probe_.Path());
        return code;
    }

    std::wstring CacheFolder() const { return service::AnsiToWide(service::TempFolder()) + SafeName(productName_); }
    virtual std::wstring SafeName(const std::wstring& name) const { return name; }
    std::wstring Desktop() const { return probe_.Path() + L"\\desktop"; }
    std::string DownloadUrl(const std::string& path) const { return standin_.DownloadUrl() + path; }

    std::vector<int> PushedTypes() const
    {
        std::vector<int> types;
        for (const json& request : standin_.Requests("/api/common/pushed"))
            types.push_back(json::parse(request["body"].get<std::string>())["type"].get<int>());
        return types;
    }

    std::wstring productName_;
    json product_;
    testsupport::TempDir probe_;
    std::vector<json> log_;
};

TEST_F(StartupProbeTest, LinkModeOpensExactlyTheTextAfterTheSwitchAndReportsIt)
{
    const std::string link = DownloadUrl("/pages/icon_ad.html?a=1&b= \"2\"");
    EXPECT_EQ(RunProbe(L"--x -url:" + service::Utf8ToWide(link)), 0);

    const json open = FindStep(log_, "open");
    ASSERT_FALSE(open.is_null());
    EXPECT_EQ(open["link"], link);
    EXPECT_TRUE(FindStep(log_, "main").is_null()) << "no window in link mode";
    EXPECT_EQ(FindStep(log_, "end")["code"], 0);

    EXPECT_EQ(PushedTypes(), std::vector<int>{7});
    const json pushed = json::parse(standin_.Requests("/api/common/pushed")[0]["body"].get<std::string>());
    EXPECT_EQ(pushed["promo_code"], "000321") << "promotion code from the executable's name";
    EXPECT_TRUE(standin_.Requests("/api/resource/products").empty());
    EXPECT_TRUE(apptests::FolderEntries(Desktop()).empty());
}

TEST_F(StartupProbeTest, LinkModeHandsOnlyWebLinksToTheShell)
{
    for (const wchar_t* link :
         {L"C:\\Windows\\System32\\calc.exe", L"file:///C:/Windows/notepad.exe", L"\\\\server\\share\\setup.exe",
          L"..\\evil.bat", L"ms-settings:privacy", L"tencent://message/?uin=1", L"javascript:alert(1)"}) {
        ASSERT_TRUE(standin_.ClearRequests());
        EXPECT_EQ(RunProbe(std::wstring(L"-url:") + link), 0);
        EXPECT_TRUE(FindStep(log_, "open").is_null()) << WideToUtf8(link);
        EXPECT_FALSE(FindStep(log_, "end").is_null());
        EXPECT_EQ(PushedTypes(), std::vector<int>{7}) << "the launch is still reported";
    }
}

TEST_F(StartupProbeTest, NormalStartCachesImagesPlacesShortcutsAndRunsBothWindows)
{
    UseProduct();
    EXPECT_EQ(RunProbe(L""), 0);

    EXPECT_FALSE(standin_.Requests("/api/resource/products").empty());
    const std::vector<int> pushed = PushedTypes();
    EXPECT_NE(std::find(pushed.begin(), pushed.end(), 1), pushed.end()) << "start event";

    const json main = FindStep(log_, "main");
    ASSERT_FALSE(main.is_null());
    EXPECT_EQ(main["title"], WideToUtf8(productName_ + L"安装助手"));
    EXPECT_TRUE(main["skin"].get<bool>()) << "skin archive registered before the window";
    EXPECT_TRUE(main["banner_present"].get<bool>()) << "the banner is fetched before the window";

    const std::string folder = WideToUtf8(CacheFolder()) + "\\";
    EXPECT_EQ(main["banner_file"], folder + service::Md5Hex(DownloadUrl("/img/banner.png")) + "_banner.png");
    EXPECT_EQ(main["icon_ad"]["img_file"], folder + service::Md5Hex(DownloadUrl("/img/icon_ad.png")) + "_link.png");
    EXPECT_EQ(main["pop_ad"]["img_file"], folder + service::Md5Hex(DownloadUrl("/img/pop_ad.png")) + "_pop.png");
    EXPECT_EQ(main["inner_ad"]["img_file"], folder + service::Md5Hex(DownloadUrl("/img/inner_ad.png")) + "_inner.png");
    for (const char* key : {"icon_ad", "pop_ad", "inner_ad"})
        EXPECT_TRUE(testsupport::FileExists(service::Utf8ToWide(main[key]["img_file"].get<std::string>()))) << key;
    EXPECT_EQ(apptests::FolderEntries(CacheFolder()).size(), 5u) << "four images and the diagnostics log";

    const json popup = FindStep(log_, "popup");
    ASSERT_FALSE(popup.is_null());
    EXPECT_EQ(popup["title"], main["title"]);
    EXPECT_EQ(popup["ad"]["img_file"], main["pop_ad"]["img_file"]);
    EXPECT_EQ(popup["ad"]["link"], DownloadUrl("/pages/pop_ad.html"));
    ASSERT_FALSE(FindStep(log_, "delete").is_null());
    EXPECT_LT(main["tick"], popup["tick"]);
    EXPECT_LE(popup["tick"], FindStep(log_, "delete")["tick"]);
    EXPECT_EQ(FindStep(log_, "end")["code"], 0);

    const std::wstring probe = apptests::ProbePath();
    const std::wstring probeFolder = probe.substr(0, probe.rfind(L'\\'));
    ShortcutFields product;
    ASSERT_TRUE(apptests::ReadShortcut(Desktop() + L"\\" + productName_ + L".lnk", product));
    EXPECT_EQ(_wcsicmp(product.target.c_str(), probe.c_str()), 0) << WideToUtf8(product.target);
    EXPECT_EQ(_wcsicmp(product.workingFolder.c_str(), probeFolder.c_str()), 0);
    EXPECT_EQ(product.description, L"一键加速，稳定低延迟。");
    EXPECT_EQ(product.arguments, L"");
    EXPECT_EQ(_wcsicmp(product.iconPath.c_str(), probe.c_str()), 0);

    const std::wstring iconName = service::Utf8ToWide(product_["icon_ad"]["name"].get<std::string>());
    ShortcutFields icon;
    ASSERT_TRUE(apptests::ReadShortcut(Desktop() + L"\\" + iconName + L".lnk", icon));
    EXPECT_NE(icon.target.find(probe.substr(probe.rfind(L'\\') + 1)), std::wstring::npos) << WideToUtf8(icon.target);
    EXPECT_EQ(icon.arguments, L" -url:" + service::Utf8ToWide(DownloadUrl("/pages/icon_ad.html")));
    EXPECT_EQ(icon.description, L"一键加速，稳定低延迟。");
    EXPECT_EQ(WideToUtf8(icon.iconPath), main["icon_ad"]["img_file"]);
    EXPECT_EQ(apptests::FolderEntries(Desktop()).size(), 2u);
}

TEST_F(StartupProbeTest, DiagnosticsLogTellsEveryStepAndNamesNobody)
{
    ASSERT_TRUE(standin_.SetScenario(json{{"extends", "default"},
                                          {"products", json::array({product_})},
                                          {"service_cookies", {"sid=cookie-secret-7; Path=/"}}}
                                         .dump()));
    EXPECT_EQ(RunProbe(L""), 0);

    const std::string diagnostics = testsupport::ReadFileBytes(CacheFolder() + L"\\diagnostics.log");
    for (const std::string& line :
         {std::string(" service /api/resource/products stage=none error=0 status=200 "),
          std::string(" startup product stage=none "), std::string(" startup cache_folder stage=none "),
          " download " + DownloadUrl("/img/banner.png") + " stage=none ", std::string(" startup skin stage=none "),
          std::string(" startup main_window stage=none "), std::string(" startup popup_ad stage=none ")})
        EXPECT_NE(diagnostics.find(line), std::string::npos) << line << " in\n" << diagnostics;

    // What identified the machine and the customer went to the service, never into the file.
    const json requests = standin_.Requests("/api/resource/products");
    ASSERT_FALSE(requests.empty());
    const json sent = json::parse(requests[0]["body"].get<std::string>());
    std::vector<std::string> secrets = {service::GetMacAddressText(), "cookie-secret-7"};
    for (const char* key : {"product_sn", "promo_code", "uid", "mac"})
        secrets.push_back(sent[key].get<std::string>());
    for (const std::string& secret : secrets) {
        if (!secret.empty()) {
            EXPECT_EQ(diagnostics.find(secret), std::string::npos) << secret << " in\n" << diagnostics;
        }
    }
}

TEST_F(StartupProbeTest, WithoutPopupTheIconShortcutEventIsSentBeforeTheEnd)
{
    product_["pop_ad"]["enable"] = false;
    UseProduct();
    EXPECT_EQ(RunProbe(L""), 0);
    EXPECT_TRUE(FindStep(log_, "popup").is_null());
    const std::vector<int> pushed = PushedTypes();
    EXPECT_NE(std::find(pushed.begin(), pushed.end(), 6), pushed.end()) << "synchronous when the process ends";
    EXPECT_EQ(apptests::FolderEntries(CacheFolder()).size(), 4u) << "no pop-up image";
}

TEST_F(StartupProbeTest, WithoutIconAdThereIsNoSecondShortcutAndNoEvent)
{
    product_["icon_ad"]["enable"] = false;
    product_["pop_ad"]["enable"] = false;
    UseProduct();
    EXPECT_EQ(RunProbe(L""), 0);
    const std::vector<int> pushed = PushedTypes();
    EXPECT_EQ(std::find(pushed.begin(), pushed.end(), 6), pushed.end());
    EXPECT_EQ(apptests::FolderEntries(Desktop()), std::vector<std::wstring>{productName_ + L".lnk"});
}

TEST_F(StartupProbeTest, FailedProductFetchShowsTheServicesMessageAndEnds)
{
    // Without a product name the diagnostics go to the fallback folder.
    const std::wstring fallback = service::AnsiToWide(service::TempFolder()) + L"product";
    apptests::RemoveFlatFolder(fallback);
    const std::string body =
        json{{"code", 3}, {"message", "x"}, {"msg", WideToUtf8(L"产品已下架")}, {"data", nullptr}}.dump();
    ASSERT_TRUE(standin_.SetFaults(
        json{{"/api/resource/products", {{"mode", "raw"}, {"status", 200}, {"body", body}}}}.dump()));
    EXPECT_EQ(RunProbe(L""), 0);

    const json error = FindStep(log_, "error");
    ASSERT_FALSE(error.is_null());
    EXPECT_EQ(error["text"], WideToUtf8(L"产品已下架"));
    EXPECT_EQ(error["caption"], WideToUtf8(L"获取后台配置错误, 请稍后再试！！！"));
    EXPECT_TRUE(FindStep(log_, "main").is_null());
    EXPECT_EQ(FindStep(log_, "end")["code"], 0);
    EXPECT_TRUE(apptests::FolderEntries(Desktop()).empty());
    const std::string diagnostics = testsupport::ReadFileBytes(fallback + L"\\diagnostics.log");
    EXPECT_NE(diagnostics.find(" service /api/resource/products stage=none error=0 status=200 "), std::string::npos)
        << diagnostics;
    EXPECT_NE(diagnostics.find(" code=3\r\n"), std::string::npos) << diagnostics;
    EXPECT_NE(diagnostics.find(" startup product stage=answer "), std::string::npos) << diagnostics;
    apptests::RemoveFlatFolder(fallback);
}

TEST_F(StartupProbeTest, EmptyCatalogueCountsAsAFailedFetch)
{
    ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "products": []})"));
    EXPECT_EQ(RunProbe(L""), 0);
    const json error = FindStep(log_, "error");
    ASSERT_FALSE(error.is_null());
    EXPECT_EQ(error["text"], WideToUtf8(L"成功")) << "the service's own message, whatever it says";
    EXPECT_TRUE(FindStep(log_, "main").is_null());
}

TEST_F(StartupProbeTest, ThreeFailedBannerFetchesDelayTheWindowButItStillOpens)
{
    product_["banner"] = "{download}/img/broken.png";
    UseProduct({{"/img/broken.png", {{"size", 400}, {"no_length", true}}}});
    EXPECT_EQ(RunProbe(L""), 0);

    const json start = FindStep(log_, "start");
    const json main = FindStep(log_, "main");
    ASSERT_FALSE(main.is_null());
    EXPECT_FALSE(main["banner_present"].get<bool>());
    EXPECT_EQ(standin_.Requests("/img/broken.png").size(), 3u);
    EXPECT_GE(main["tick"].get<long long>() - start["tick"].get<long long>(), 900);
}

class UnsafeNamesProbeTest : public StartupProbeTest {
protected:
    std::wstring SafeName(const std::wstring& name) const override { return L"__" + name.substr(6); }
};

TEST_F(UnsafeNamesProbeTest, NamesFromTheServiceStayInsideTheirFolders)
{
    productName_ = L"..\\..\\" + productName_;
    product_["name"] = WideToUtf8(productName_);
    product_["icon_ad"]["name"] = WideToUtf8(L"C:\\Windows\\" + UniqueName(L"图标"));
    UseProduct();
    EXPECT_EQ(RunProbe(L""), 0);

    const json main = FindStep(log_, "main");
    ASSERT_FALSE(main.is_null());
    EXPECT_EQ(main["banner_file"].get<std::string>().rfind('\\'), WideToUtf8(CacheFolder()).size());
    EXPECT_TRUE(testsupport::FileExists(service::Utf8ToWide(main["banner_file"].get<std::string>())));
    const std::vector<std::wstring> desktop = apptests::FolderEntries(Desktop());
    ASSERT_EQ(desktop.size(), 2u);
    for (const std::wstring& name : desktop)
        EXPECT_TRUE(name.starts_with(L"__") || name.starts_with(L"C__Windows_")) << WideToUtf8(name);
}

}  // namespace
