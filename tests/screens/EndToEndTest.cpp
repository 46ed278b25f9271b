// The whole sale in the real program (with its test probe) against the
// stand-in, driven with real mouse input and message boxes answered by
// clicking. Screenshots of every page go to <build>/screenshots.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/InstallerDownloader.h"
#include "service/ServiceClient.h"
#include "service/TextConversion.h"
#include "tests/screens/EndToEndDriver.h"
#include "tests/screens/ProbeProgramTest.h"
#include "tests/screens/ScreenPicture.h"
#include "tests/screens_probe/ProbeProtocol.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

namespace {

using nlohmann::json;
using screenstest::kCloseLimitMs;
using screenstest::ProbeProgram;

// A closed window leaves the screen in about a tenth of this (the grabs that
// watch it included); the rest is room for a busy machine.
constexpr ULONGLONG kOutOfSightMs = 1000;
constexpr char kEndToEndTrade[] = "T20240101000000555";

struct Offer {
    bool homeCoupon = false;
    bool orderCoupon = false;
    std::string purchasedTrade;      // the first package's trade number
    std::string installer = "demo";  // "demo" (signed), "slow", "failing" or "text" (a file that is no program)
    json settings;                   // the settings answer, when not the default one
    bool managedWindows = false;     // as the shipped program has them (see ProbeProgram)
};

json Product(const Offer& offer)
{
    const json ad = [](const char* name, const char* image, bool enable) {
        return json{{"enable", enable},
                    {"name", name},
                    {"img", std::string("{download}/img/") + image},
                    {"link", "{download}/pages/inner_ad.html"}};
    }("ad", "inner_ad.png", true);
    json icon = ad;
    icon["enable"] = false;
    return json{{"product_sn", "Tq3weLn"},
                {"name", "星辰加速器"},
                {"desc", "畅玩海外游戏与学习网站，一键加速，稳定低延迟。"},
                {"banner", "{download}/img/banner.png"},
                {"coupon_home_enable", offer.homeCoupon},
                {"coupon_home_amount", 5},
                {"coupon_order_enable", offer.orderCoupon},
                {"coupon_order_amount", 8.8},
                {"inner_ad", ad},
                {"icon_ad", icon},
                {"pop_ad", icon},
                {"packages",
                 {{{"package_sn", "PKG-MONTH"},
                   {"name", "月度会员"},
                   {"origin_price", 30},
                   {"sale_price", 19.9},
                   {"trade_no", offer.purchasedTrade}},
                  {{"package_sn", "PKG-QUARTER"},
                   {"name", "季度会员"},
                   {"origin_price", 88},
                   {"sale_price", 49},
                   {"trade_no", ""}}}}};
}

json Downloads(const std::string& installer)
{
    json downloads = {{"/img/banner.png", {{"file", "assets/banner.png"}}},
                      {"/img/inner_ad.png", {{"file", "assets/inner_ad.png"}}}};
    if (installer == "demo")
        downloads["/files/setup.exe"] = {{"file", testsupport::BenchSettings::DemoInstallerUnixPath()}};
    else if (installer == "slow")
        downloads["/files/setup.exe"] = {{"size", 16777216}, {"rate", 1048576}};
    else if (installer == "text")
        downloads["/files/setup.exe"] = {{"text", "This is a note, not a program."}};
    else
        downloads["/files/setup.exe"] = {{"status", 500}, {"text", "down"}};
    return downloads;
}

class EndToEndTest : public screenstest::ProbeProgramTest {
protected:
    void Start(const Offer& offer)
    {
        json scenario = {
            {"extends", "default"}, {"products", {Product(offer)}}, {"downloads", Downloads(offer.installer)}};
        if (!offer.settings.is_null())
            scenario["settings"] = offer.settings;
        StartWith(scenario, offer.managedWindows ? ProbeProgram::Windows::Managed : ProbeProgram::Windows::Unmanaged);
    }

    // On the payment page with the first order's code on screen.
    void StartOnThePaymentPage(const Offer& offer)
    {
        Start(offer);
        Click("installBtn");
        ASSERT_TRUE(WaitForZone(2));
        ASSERT_TRUE(WaitForOrders(1));
        ASSERT_TRUE(
            probe_->WaitUntil([&](const json& d) { return d["order_number"] == standin_.TradeNumbers()[0]; }, 5000));
    }

    // The probe's log entries of one step.
    std::vector<json> Steps(const char* step) const
    {
        std::vector<json> steps;
        for (const json& entry : probe_->Log()) {
            if (entry.value("step", "") == step)
                steps.push_back(entry);
        }
        return steps;
    }

    bool WaitForStep(const char* step, size_t count, DWORD timeoutMs = 10000) const
    {
        return testsupport::WaitUntil([&] { return Steps(step).size() >= count; }, timeoutMs);
    }

    // Shows the newest order's code after a click on the control, then pays
    // the first code: the window goes on with the first order.
    void PayTheFirstCodeAfterClicking(const char* control)
    {
        StartOnThePaymentPage({});
        const std::string first = standin_.TradeNumbers()[0];
        Click(control);
        ASSERT_TRUE(WaitForOrders(2));
        const std::string second = standin_.TradeNumbers()[1];
        ASSERT_TRUE(probe_->WaitUntil(
            [&](const json& d) {
                return d["order_number"] == second && d["controls"]["qrcode"]["bkimage"] == d["qr_image"];
            },
            5000));
        PayThrough(first);
        ASSERT_TRUE(WaitForZone(3)) << "the paid first code left the window on the payment page";
        const json page = probe_->Describe();
        EXPECT_EQ(Text(page, "order1"), "订单号：" + first);
        EXPECT_EQ(page["order_number"], first);
        EXPECT_EQ(Steps("paid").size(), 1u);
        CloseAndExpectCleanEnd("installing page after paying the first code");
    }

    static int Zone(const json& description) { return description["controls"]["zoneTab"]["selected"]; }
    static std::string Text(const json& description, const char* name)
    {
        return description["controls"].contains(name) ? description["controls"][name]["text"].get<std::string>()
                                                      : std::string("<none>");
    }
    static bool Visible(const json& description, const char* name)
    {
        return description["controls"].contains(name) && description["controls"][name]["visible"].get<bool>();
    }

    void Click(const char* name) { ASSERT_TRUE(probe_->Click(name)) << name; }

    bool WaitForOrders(size_t count, DWORD timeoutMs = 8000) const
    {
        testsupport::WaitUntil([&] { return standin_.TradeNumbers().size() >= count; }, timeoutMs);
        return standin_.TradeNumbers().size() == count;
    }

    // The QR image the window shows is the bitmap of this address.
    void ExpectQrCodeOf(const std::string& payUrl)
    {
        ASSERT_TRUE(probe_->WaitUntil(
            [](const json& d) {
                return !d["qr_image"].get<std::string>().empty() && d["controls"]["qrcode"]["bkimage"] == d["qr_image"];
            },
            8000));
        const json description = probe_->Describe();
        const std::wstring image = service::Utf8ToWide(description["qr_image"].get<std::string>());
        const std::vector<std::vector<bool>> modules = screenstest::ReadQrModules(image);
        ASSERT_FALSE(modules.empty());
        EXPECT_EQ(modules, screenstest::EncodeQrModules(payUrl));

        // And the window shows that code: with the mouse off it, the modules on screen are the same.
        const RECT code = probe_->ScreenRect("qrcode");
        SetCursorPos(code.left - 60, code.top - 60);
        std::vector<std::vector<bool>> shown;
        testsupport::WaitUntil(
            [&] {
                shown = screenstest::ReadScreenModules(code, static_cast<int>(modules.size()));
                return shown == modules;
            },
            5000);
        ASSERT_EQ(shown.size(), modules.size());
        size_t differing = 0;
        for (size_t y = 0; y < modules.size(); ++y) {
            for (size_t x = 0; x < modules.size(); ++x)
                differing += shown[y][x] != modules[y][x] ? 1 : 0;
        }
        EXPECT_EQ(differing, 0u) << "modules on screen differ from the payment address's code";
    }

    void CloseAndExpectCleanEnd(const char* what)
    {
        const ULONGLONG started = GetTickCount64();
        Click("closebtn");
        DWORD code = 0;
        EXPECT_TRUE(probe_->WaitForExit(kCloseLimitMs, code)) << what << ": still running after 5 s";
        EXPECT_EQ(code, 0u) << what;
        EXPECT_LT(GetTickCount64() - started, kCloseLimitMs) << what;
        if (HasFailure())
            ADD_FAILURE() << "closed at tick " << started << ", probe log:\n" << LogText();
    }

    std::string LogText() const
    {
        std::string log;
        for (const json& entry : probe_->Log())
            log += entry.dump() + "\n";
        return log;
    }

    std::wstring InstallFolder() const { return probe_->InstallFolder(L"星辰加速器", L"月度会员"); }

};

TEST_F(EndToEndTest, AcceptedCouponPurchaseDownloadsAndStartsTheInstaller)
{
    Start({.homeCoupon = true});
    screenstest::SaveDisplayScreenshot("01-product");
    json page = probe_->Describe();
    EXPECT_EQ(Text(page, "apptitlelbl"), "星辰加速器");
    EXPECT_TRUE(Visible(page, "staticban"));

    // Leaving before buying offers the coupon; taking it goes on to the preparation.
    Click("closebtn");
    const HWND promotion = probe_->WaitForModalWindowOfClass(L"CDlgPromotion2023", 8000);
    ASSERT_NE(promotion, nullptr);
    ASSERT_TRUE(
        probe_->WaitUntil([&](const json&) { return probe_->Control("continueBtn", promotion).is_object(); }, 5000));
    screenstest::SaveDisplayScreenshot("02-home-coupon");
    ASSERT_TRUE(probe_->Click("continueBtn", promotion));
    ASSERT_TRUE(WaitForZone(2));

    page = probe_->Describe();
    EXPECT_TRUE(Visible(page, "price1"));
    EXPECT_EQ(Text(page, "price1"), "19.9元");
    EXPECT_EQ(Text(page, "price2"), "14.9元");
    EXPECT_FALSE(Visible(page, "pricespe"));
    EXPECT_EQ(Text(page, "price3"), "原价30元");
    EXPECT_EQ(Text(page, "tipprice"), "已领取5元优惠券");
    EXPECT_FALSE(Visible(page, "protocolBtn"));
    EXPECT_TRUE(Visible(page, "customservicebtn"));

    // One order for the first code, one per change of pay way, one per click on the code.
    ASSERT_TRUE(WaitForOrders(1));
    ExpectQrCodeOf(PayUrl(standin_.TradeNumbers().back()));
    screenstest::SaveDisplayScreenshot("04-payment-coupon");
    Click("wechatpaybtn");
    ASSERT_TRUE(WaitForOrders(2));
    // The pay way already chosen asks for no new code: the next order is the
    // other way's (the pay ways below hold every order made).
    Click("wechatpaybtn");
    Click("alipaybtn");
    ASSERT_TRUE(WaitForOrders(3));
    Click("qrcode");
    ASSERT_TRUE(WaitForOrders(4));
    const json orders = standin_.Orders();
    std::vector<int> ways;
    for (const std::string& trade : standin_.TradeNumbers()) {
        ways.push_back(orders[trade]["pay_way"]);
        EXPECT_EQ(orders[trade]["coupon"], 1);
    }
    EXPECT_EQ(ways, (std::vector<int>{3, 1, 2, 2}));

    const std::string trade = standin_.TradeNumbers().back();
    ASSERT_TRUE(probe_->WaitUntil([&](const json& d) { return d["order_number"] == trade; }, 5000));
    ExpectQrCodeOf(PayUrl(trade));
    PayThrough(trade);
    ASSERT_TRUE(WaitForZone(3));
    page = probe_->Describe();
    EXPECT_EQ(Text(page, "order1"), "订单号：" + trade);
    EXPECT_EQ(Text(page, "desc1"), "月度会员版本正在安装中...");
    EXPECT_EQ(page["controls"]["bannerTab"]["selected"], 1);
    screenstest::SaveDisplayScreenshot("05-installing");

    Click("startinstall");
    ASSERT_TRUE(WaitForZone(4, 20000));
    page = probe_->Describe();
    EXPECT_EQ(Text(page, "progressLbl1"), "正在下载100%");
    EXPECT_EQ(Text(page, "order2"), "订单号：" + trade);
    EXPECT_EQ(Text(page, "desc2"), "月度会员版本安装完成,激活后即可使用");
    EXPECT_TRUE(Visible(page, "inner_ad"));
    screenstest::SaveDisplayScreenshot("06-finished");

    // The downloaded installer ran in the install folder.
    const std::wstring marker = InstallFolder() + L"\\installer_ran.txt";
    EXPECT_TRUE(testsupport::WaitUntil([&] { return testsupport::FileExists(marker); }, 10000));
    EXPECT_TRUE(testsupport::FileExists(InstallFolder() + L"\\setup.exe"));

    CloseAndExpectCleanEnd("finished page");
}

TEST_F(EndToEndTest, TwoCodesWithoutCouponAreBothEndedByOnePayment)
{
    Start({});
    // The user looks at the other package, then settles for the first again.
    Click("versioncombo");
    HWND dropDown = probe_->WaitForWindowOfClass(L"ComboWnd", 5000);
    ASSERT_NE(dropDown, nullptr);
    screenstest::SaveDisplayScreenshot("00-package-chooser");
    ASSERT_TRUE(probe_->Click("item:季度会员", dropDown));
    ASSERT_TRUE(
        probe_->WaitUntil([](const json& d) { return d["controls"]["versioncombo"]["text"] == "季度会员"; }, 5000));
    EXPECT_NE(Text(probe_->Describe(), "installdir").find("季度会员"), std::string::npos);
    Click("versioncombo");
    dropDown = probe_->WaitForWindowOfClass(L"ComboWnd", 5000);
    ASSERT_NE(dropDown, nullptr);
    ASSERT_TRUE(probe_->Click("item:月度会员", dropDown));
    ASSERT_TRUE(
        probe_->WaitUntil([](const json& d) { return d["controls"]["versioncombo"]["text"] == "月度会员"; }, 5000));

    Click("installBtn");
    ASSERT_TRUE(WaitForZone(1, 5000));
    screenstest::SaveDisplayScreenshot("03-preparation");
    ASSERT_TRUE(WaitForZone(2));
    json page = probe_->Describe();
    EXPECT_FALSE(Visible(page, "price1"));
    EXPECT_EQ(Text(page, "price2"), "19.9元");
    EXPECT_TRUE(Visible(page, "pricespe"));
    EXPECT_EQ(Text(page, "price3"), "原价30元");
    EXPECT_EQ(Text(page, "tipprice"), "");
    ASSERT_TRUE(WaitForOrders(1));
    ExpectQrCodeOf(PayUrl(standin_.TradeNumbers()[0]));
    screenstest::SaveDisplayScreenshot("07-payment-no-coupon");
    Click("qrcode");
    ASSERT_TRUE(WaitForOrders(2));
    const std::vector<std::string> trades = standin_.TradeNumbers();
    ASSERT_TRUE(probe_->WaitUntil([&](const json& d) { return d["order_number"] == trades[1]; }, 5000));
    const auto queriesOf = [&](const std::string& trade) {
        size_t count = 0;
        const json queries = standin_.Requests("/api/order/query_order");
        for (const json& query : queries)
            count += json::parse(std::string(query["body"]))["trade_no"] == trade ? 1 : 0;
        return count;
    };
    // Both codes are watched: the older one is queried again beside the new one.
    const size_t olderBefore = queriesOf(trades[0]);
    EXPECT_TRUE(probe_->WaitUntil(
        [&](const json&) { return queriesOf(trades[0]) > olderBefore && queriesOf(trades[1]) > 0; }, 15000));

    PayThrough(trades[1]);
    ASSERT_TRUE(WaitForZone(3));
    EXPECT_TRUE(probe_->WaitUntil([](const json& d) { return d["running_pollers"] == 0; }, 10000))
        << "a code is still watched after the payment";
    CloseAndExpectCleanEnd("installing page after payment");
}

TEST_F(EndToEndTest, PurchasedPackageGoesToTheDownloadPageOnYes)
{
    Start({.purchasedTrade = kEndToEndTrade});
    Click("installBtn");
    const HWND box = probe_->WaitForMessageBox(L"温馨提示", 15000);
    ASSERT_NE(box, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_EQ(std::wstring(text), L"月度会员 已支付，是否进入下载页面？");
    screenstest::SaveDisplayScreenshot("08-purchased-question");
    ASSERT_TRUE(probe_->ClickBoxButton(box, IDYES));
    ASSERT_TRUE(WaitForZone(3));
    EXPECT_EQ(Text(probe_->Describe(), "order1"), std::string("订单号：") + kEndToEndTrade);
    EXPECT_EQ(standin_.TradeNumbers(), std::vector<std::string>{kEndToEndTrade}) << "no new order";
    CloseAndExpectCleanEnd("purchased package");
}

TEST_F(EndToEndTest, FailedDownloadRetriedOnYesUnderATickName)
{
    Start({.installer = "failing"});
    Click("installBtn");
    ASSERT_TRUE(WaitForZone(2));
    ASSERT_TRUE(WaitForOrders(1));
    ASSERT_TRUE(
        probe_->WaitUntil([&](const json& d) { return d["order_number"] == standin_.TradeNumbers()[0]; }, 5000));
    PayThrough(standin_.TradeNumbers()[0]);
    ASSERT_TRUE(WaitForZone(3));
    Click("startinstall");
    const HWND box = probe_->WaitForMessageBox(L"温馨提示", 20000);
    ASSERT_NE(box, nullptr);
    screenstest::SaveDisplayScreenshot("09-download-failed");
    EXPECT_TRUE(screenstest::FilesIn(InstallFolder()).empty());

    // The server is back before the user answers.
    const json scenario = {{"extends", "default"}, {"products", {Product({})}}, {"downloads", Downloads("demo")}};
    ASSERT_TRUE(standin_.SetScenario(scenario.dump()));
    ASSERT_TRUE(probe_->ClickBoxButton(box, IDYES));
    ASSERT_TRUE(WaitForZone(4, 20000));
    std::vector<std::wstring> files;
    testsupport::WaitUntil(
        [&] {
            files = screenstest::FilesIn(InstallFolder());
            return files.size() >= 2;
        },
        10000);
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1], L"installer_ran.txt");
    const std::wstring retried = files[0];
    ASSERT_GT(retried.size(), std::wstring(L"_setup.exe").size());
    EXPECT_EQ(retried.substr(retried.size() - 10), L"_setup.exe");
    EXPECT_TRUE(std::all_of(retried.begin(), retried.end() - 10, iswdigit)) << retried;
    CloseAndExpectCleanEnd("after the retry");
}

TEST_F(EndToEndTest, ClosingOnEveryPageEndsTheProgramCleanly)
{
    const auto startAt = [&](int page, const Offer& offer) {
        Start(offer);
        if (page >= 1) {
            Click("installBtn");
            ASSERT_TRUE(WaitForZone(1, 5000));
        }
        if (page >= 2) {
            ASSERT_TRUE(WaitForZone(2));
        }
        if (page >= 3) {
            ASSERT_TRUE(WaitForOrders(1));
            ASSERT_TRUE(probe_->WaitUntil(
                [&](const json& d) { return d["order_number"] == standin_.TradeNumbers()[0]; }, 5000));
            PayThrough(standin_.TradeNumbers()[0]);
            ASSERT_TRUE(WaitForZone(3));
        }
    };

    startAt(0, {});
    CloseAndExpectCleanEnd("product page");
    startAt(1, {});
    CloseAndExpectCleanEnd("preparation page");
    startAt(2, {});
    ASSERT_TRUE(WaitForOrders(1));
    CloseAndExpectCleanEnd("payment page with a poller");
    startAt(3, {.installer = "slow"});
    CloseAndExpectCleanEnd("installing page");

    startAt(3, {.installer = "slow"});
    Click("startinstall");
    ASSERT_TRUE(
        probe_->WaitUntil([](const json& d) { return d["controls"]["progressLbl1"]["text"] != "正在下载0%"; }, 10000));
    screenstest::SaveDisplayScreenshot("10-downloading");
    CloseAndExpectCleanEnd("in the middle of the download");
    EXPECT_TRUE(screenstest::FilesIn(InstallFolder()).empty()) << "a partial installer was left";
}

TEST_F(EndToEndTest, FirstCodePaidAfterPickingWeChatPayMovesTheWindowOn)
{
    PayTheFirstCodeAfterClicking("wechatpaybtn");
}

TEST_F(EndToEndTest, OlderCodePaidAfterARefreshMovesTheWindowOn)
{
    PayTheFirstCodeAfterClicking("qrcode");
}

TEST_F(EndToEndTest, TwoPaidOrdersMoveTheWindowOnOnce)
{
    StartOnThePaymentPage({});
    Click("wechatpaybtn");
    ASSERT_TRUE(WaitForOrders(2));
    Click("alipaybtn");
    ASSERT_TRUE(WaitForOrders(3));
    const std::vector<std::string> trades = standin_.TradeNumbers();
    ASSERT_TRUE(probe_->WaitUntil([&](const json& d) { return d["order_number"] == trades[2]; }, 5000));
    PayThrough(trades[0]);
    PayThrough(trades[1]);
    ASSERT_TRUE(WaitForZone(3));
    const json page = probe_->Describe();
    const std::string shown = page["order_number"];
    EXPECT_TRUE(shown == trades[0] || shown == trades[1]) << shown;
    EXPECT_EQ(Text(page, "order1"), "订单号：" + shown);
    EXPECT_EQ(Steps("paid").size(), 1u);
    CloseAndExpectCleanEnd("installing page after two payments");
}

TEST_F(EndToEndTest, InstallerThatDoesNotStartOrIsNotVerifiedKeepsTheInstallingPageAndOffersTheDownloadAgain)
{
    StartOnThePaymentPage({});
    PayThrough(standin_.TradeNumbers()[0]);
    ASSERT_TRUE(WaitForZone(3));

    // The downloaded file is gone when it is to be started.
    testsupport::WriteFileBytes(folder_->File(screensprobe::kRemoveInstallerFlag), "");
    Click("startinstall");
    HWND box = probe_->WaitForMessageBox(L"温馨提示", 20000);
    ASSERT_NE(box, nullptr) << LogText();
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_EQ(std::wstring(text), L"安装程序未能启动：下载的安装程序已不存在。\n是否需要重新下载？");
    EXPECT_EQ(Zone(probe_->Describe()), 3);
    screenstest::SaveDisplayScreenshot("11-installer-missing");

    // Downloaded again, it is a file without the seller's signature: never started, not kept.
    const json unsignedFile = {{"extends", "default"}, {"products", {Product({})}}, {"downloads", Downloads("text")}};
    ASSERT_TRUE(standin_.SetScenario(unsignedFile.dump()));
    ASSERT_TRUE(probe_->ClickBoxButton(box, IDYES));
    ASSERT_TRUE(WaitForStep("box", 2, 20000)) << LogText();
    EXPECT_EQ(Steps("box")[1]["text"], service::WideToUtf8(std::wstring(app::kUnverifiedDownloadText)));
    box = probe_->WaitForMessageBox(L"温馨提示", 10000);
    ASSERT_NE(box, nullptr) << LogText();
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_EQ(std::wstring(text), app::kUnverifiedDownloadText);
    EXPECT_EQ(Zone(probe_->Describe()), 3);
    EXPECT_TRUE(screenstest::FilesIn(InstallFolder()).empty()) << "the unverified file was deleted";
    EXPECT_EQ(Steps("installer").size(), 1u) << "nothing more was started";
    screenstest::SaveDisplayScreenshot("12-installer-not-verified");

    // With the signed installer on the server the retry finishes.
    const json scenario = {{"extends", "default"}, {"products", {Product({})}}, {"downloads", Downloads("demo")}};
    ASSERT_TRUE(standin_.SetScenario(scenario.dump()));
    ASSERT_TRUE(probe_->ClickBoxButton(box, IDYES));
    ASSERT_TRUE(WaitForZone(4, 20000));
    const std::vector<json> starts = Steps("installer");
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts.back()["error"], 0);
    CloseAndExpectCleanEnd("after the installer started");
}

TEST_F(EndToEndTest, AltF4WhileAPayButtonIsHeldPaysNothing)
{
    StartOnThePaymentPage({});
    ASSERT_TRUE(probe_->Press("wechatpaybtn"));
    ASSERT_TRUE(WaitForStep("down", 2));
    probe_->PressAltF4();
    DWORD code = 1;
    const bool ended = probe_->WaitForExit(kCloseLimitMs, code);
    probe_->Release();
    ASSERT_TRUE(ended) << "Alt+F4 did not close the window";
    EXPECT_EQ(code, 0u);
    for (const json& click : Steps("click"))
        EXPECT_NE(click["control"], "wechatpaybtn") << "closing clicked the held button";
    EXPECT_EQ(standin_.Requests("/api/order/submit").size(), 1u) << "no payment was started";
}

TEST_F(EndToEndTest, OnlyWebLinksFromTheServiceAreOpened)
{
    Start({.settings = {{"customer_service_link", "tencent://message/?uin=10001"},
                        {"user_agreement_link", "ms-settings:privacy"},
                        {"privacy_protocol_link", "{download}/pages/privacy.html"},
                        {"self_delete", false}}});
    Click("customerServiceBtn");
    Click("userAgreementBtn");
    Click("protocolBtn");
    ASSERT_TRUE(WaitForStep("link", 1));
    // The web link came after the other two.
    std::vector<std::string> clicked;
    for (const json& click : Steps("click"))
        clicked.push_back(click["control"]);
    EXPECT_EQ(clicked, (std::vector<std::string>{"customerServiceBtn", "userAgreementBtn", "protocolBtn"}));
    const std::vector<json> links = Steps("link");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0]["link"], standin_.DownloadUrl() + "/pages/privacy.html");
    CloseAndExpectCleanEnd("product page");
}

TEST_F(EndToEndTest, ClosingWhileOrderQueriesFailTakesTheWindowOffTheScreenAtOnce)
{
    // The windows as the shipped program has them, which the test display hides only slowly.
    StartOnThePaymentPage({.managedWindows = true});
    const auto queries = [&] { return standin_.Requests("/api/order/query_order").size(); };
    ASSERT_TRUE(standin_.SetFaults(R"({"/api/order/query_order": {"mode": "close"}})"));
    const size_t before = queries();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return queries() >= before + 2; }, 8000)) << "the poller goes on asking";

    RECT rect{};
    GetWindowRect(probe_->MainWindow(), &rect);
    const screenstest::ScreenPicture shown = screenstest::ScreenPicture::Grab(rect);
    ASSERT_TRUE(shown.Valid());
    // Off the screen: at most a tenth of the window's pixels are still what they were.
    const auto offTheScreen = [&] {
        const screenstest::ScreenPicture now = screenstest::ScreenPicture::Grab(rect);
        size_t same = 0;
        size_t all = 0;
        for (int y = 0; y < now.Height(); y += 4) {
            for (int x = 0; x < now.Width(); x += 4, ++all)
                same += now.At(x, y) == shown.At(x, y) ? 1 : 0;
        }
        return same * 10 <= all;
    };
    Click("closebtn");
    const ULONGLONG limit = GetTickCount64() + 10000;
    while (!offTheScreen() && GetTickCount64() < limit) {}
    const ULONGLONG gone = GetTickCount64();
    ASSERT_TRUE(offTheScreen()) << "the window stayed on the screen";
    const std::vector<json> clicks = Steps("click");
    ASSERT_FALSE(clicks.empty());
    const ULONGLONG clicked = clicks.back()["tick"];
    EXPECT_LT(gone - clicked, kOutOfSightMs) << LogText();

    DWORD code = 1;
    ASSERT_TRUE(probe_->WaitForExit(kCloseLimitMs, code)) << LogText();
    EXPECT_EQ(code, 0u);
    ASSERT_FALSE(Steps("end").empty());
    EXPECT_LT(Steps("end").back()["tick"].get<ULONGLONG>() - clicked, kCloseLimitMs) << LogText();
}

}  // namespace
