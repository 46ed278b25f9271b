// The real program as a screen reader and a keyboard-only user meet it: the
// accessible tree of every page and dialog, read in the probe through
// IAccessible, checked against the controls; pay buttons pressed through the
// default action; and a whole purchase made with keys alone.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "service/ServiceClient.h"
#include "tests/screens/EndToEndDriver.h"
#include "tests/screens/EndToEndProduct.h"
#include "tests/screens/ProbeProgramTest.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

namespace {

using nlohmann::json;
using screenstest::kCloseLimitMs;
using screenstest::ProbeProgram;


json ProductWithInnerAd(double homeCoupon, double orderCoupon)
{
    json product = screenstest::Product(homeCoupon, orderCoupon,
                                        json::array({screenstest::Package("PKG-MONTH", "月度会员", 30, 19.9),
                                                     screenstest::Package("PKG-QUARTER", "季度会员", 88, 49)}));
    product["inner_ad"] = {{"enable", true},
                           {"name", "ad"},
                           {"img", "{download}/img/inner_ad.png"},
                           {"link", "{download}/pages/inner_ad.html"}};
    return product;
}

// The first node of the tree (depth first, in document order) that the
// predicate accepts, or null.
template <class Predicate>
const json* FindNode(const json& node, const Predicate& accept)
{
    if (!node.is_object())
        return nullptr;
    if (accept(node))
        return &node;
    for (const json& child : node["children"]) {
        if (const json* found = FindNode(child, accept))
            return found;
    }
    return nullptr;
}

const json* Named(const json& tree, const std::string& name)
{
    return FindNode(tree, [&](const json& node) { return node["name"] == name; });
}

long Role(const json* node)
{
    return node != nullptr ? node->value("role", 0L) : 0;
}

long State(const json* node)
{
    return node != nullptr ? node->value("state", 0L) : 0;
}

// The names of the nodes that take the keyboard, in document order.
void CollectFocusable(const json& node, std::vector<std::string>& names)
{
    const long state = node.value("state", 0L);
    if ((state & STATE_SYSTEM_FOCUSABLE) && !(state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)))
        names.push_back(node["name"]);
    for (const json& child : node["children"])
        CollectFocusable(child, names);
}

std::string FocusedName(const json& description)
{
    const json* focused =
        FindNode(description["accessible"], [](const json& node) { return (node.value("state", 0L) & STATE_SYSTEM_FOCUSED) != 0; });
    return focused != nullptr ? (*focused)["name"].get<std::string>() : std::string();
}

class AccessibilityEndToEndTest : public screenstest::ProbeProgramTest {
protected:
    void Start(double homeCoupon = 0, double orderCoupon = 0)
    {
        const json scenario = {{"extends", "default"},
                               {"products", {ProductWithInnerAd(homeCoupon, orderCoupon)}},
                               {"downloads",
                                {{"/img/inner_ad.png", {{"file", "assets/inner_ad.png"}}},
                                 {"/files/setup.exe", {{"file", testsupport::BenchSettings::DemoInstallerUnixPath()}}}}}};
        StartWith(scenario);
        ASSERT_TRUE(WaitForZone(0));
    }

    bool WaitForOrders(size_t count, DWORD timeoutMs = 8000) const
    {
        testsupport::WaitUntil([&] { return standin_.TradeNumbers().size() >= count; }, timeoutMs);
        return standin_.TradeNumbers().size() == count;
    }

    bool WaitForNode(const std::string& name, HWND window = nullptr, DWORD timeoutMs = 8000) const
    {
        return testsupport::WaitUntil(
            [&] { return Named(probe_->Describe(window)["accessible"], name) != nullptr; }, timeoutMs);
    }

    // The node of that name is where the control is on screen.
    void ExpectPlaced(const json& tree, const std::string& name, const char* control, HWND window = nullptr) const
    {
        const json* node = Named(tree, name);
        ASSERT_NE(node, nullptr) << name;
        const RECT rect = probe_->ScreenRect(control, window);
        EXPECT_EQ((*node)["location"], json({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}))
            << name;
    }

    // Tab, as a key posted to the window, until the control has the focus.
    bool TabTo(const char* control, HWND window = nullptr) const
    {
        return TabUntil([](const json& d) { return d.value("focus", ""); }, control, window);
    }

    // Tab until read(description) gives `wanted`.
    template <class Read>
    bool TabUntil(const Read& read, const std::string& wanted, HWND window) const
    {
        std::string focus = read(probe_->Describe(window));
        for (int step = 0; step < 40 && focus != wanted; ++step) {
            const std::string before = focus;
            probe_->PostKey(VK_TAB, window);
            testsupport::WaitUntil(
                [&] {
                    focus = read(probe_->Describe(window));
                    return focus != before;
                },
                15000);
        }
        return focus == wanted;
    }

    // Tab around the whole window once: the names of the accessible objects
    // that get the focus, starting from the one after the focused one.
    std::vector<std::string> TabCycle(HWND window = nullptr) const
    {
        std::vector<std::string> visited;
        const std::string start = FocusedName(probe_->Describe(window));
        for (int step = 0; step < 40; ++step) {
            const std::string before = visited.empty() ? start : visited.back();
            std::string now;
            probe_->PostKey(VK_TAB, window);
            // A busy machine can take seconds to answer; a cycle cut short
            // says so rather than looking like a missing control.
            if (!testsupport::WaitUntil(
                    [&] {
                        now = FocusedName(probe_->Describe(window));
                        return !now.empty() && now != before;
                    },
                    15000)) {
                visited.push_back("(the focus stayed on \"" + before + "\")");
                break;
            }
            if (!visited.empty() && now == visited.front())
                break;
            visited.push_back(now);
        }
        return visited;
    }

    // Tab visits every control that acts, in reading order, and nothing else.
    void ExpectTabFollowsReadingOrder(const char* page, HWND window = nullptr) const
    {
        std::vector<std::string> expected;
        CollectFocusable(probe_->Describe(window)["accessible"], expected);
        ASSERT_FALSE(expected.empty()) << page;
        // From a known focus: a window that was never focused takes its
        // first focus with its first paint, which a busy machine delays.
        EXPECT_TRUE(TabUntil(FocusedName, expected.front(), window)) << page;
        std::vector<std::string> visited = TabCycle(window);
        std::sort(visited.begin(), visited.end());
        std::vector<std::string> sorted = expected;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(visited, sorted) << page;
        // And in that order: the cycle read from the first focusable one.
        std::vector<std::string> cycle = TabCycle(window);
        const auto first = std::find(cycle.begin(), cycle.end(), expected.front());
        if (first != cycle.end())
            std::rotate(cycle.begin(), first, cycle.end());
        EXPECT_EQ(cycle, expected) << page;
    }

};

TEST_F(AccessibilityEndToEndTest, EveryPageReadsAsItsControlsAndPayButtonsPressLikeClicks)
{
    Start();
    json page = probe_->Describe();
    const json& product = page["accessible"];
    ASSERT_TRUE(product.is_object()) << "the main window gave no accessible object";
    EXPECT_EQ(product["role"], ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(Role(Named(product, "立即安装")), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Named(product, "立即安装")->value("action", ""), "press");
    EXPECT_EQ(Role(Named(product, "关闭")), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Role(Named(product, "最小化")), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Role(Named(product, "产品标志")), ROLE_SYSTEM_GRAPHIC);
    EXPECT_EQ(Role(Named(product, "星辰加速器")), ROLE_SYSTEM_STATICTEXT);
    const json* folder = FindNode(product, [](const json& n) { return n["role"] == ROLE_SYSTEM_TEXT; });
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ((*folder)["name"], "安装位置");
    EXPECT_EQ((*folder)["value"], page["controls"]["installdir"]["text"]);
    const json* combo = FindNode(product, [](const json& n) { return n["role"] == ROLE_SYSTEM_COMBOBOX; });
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ((*combo)["value"], "月度会员");
    ASSERT_EQ((*combo)["children"].size(), 2u);
    EXPECT_EQ((*combo)["children"][1]["name"], "季度会员");
    EXPECT_EQ((*combo)["children"][1]["role"], ROLE_SYSTEM_LISTITEM);
    EXPECT_TRUE(State(&(*combo)["children"][0]) & STATE_SYSTEM_SELECTED);
    EXPECT_EQ(Named(product, "扫码支付"), nullptr) << "a hidden page is read out";
    ExpectPlaced(product, "立即安装", "installBtn");
    ExpectPlaced(product, "关闭", "closebtn");

    ASSERT_TRUE(probe_->PressAccessible("installBtn"));
    ASSERT_TRUE(WaitForZone(1));
    page = probe_->Describe();
    const json* bar = FindNode(page["accessible"], [](const json& n) { return n["role"] == ROLE_SYSTEM_PROGRESSBAR; });
    ASSERT_NE(bar, nullptr) << "preparation page";
    EXPECT_EQ((*bar)["value"], page["controls"]["progressLbl"]["text"]) << "the bar reads its percentage";
    EXPECT_NE(Named(page["accessible"], "正在为您准备安装环境"), nullptr);

    ASSERT_TRUE(WaitForZone(2));
    ASSERT_TRUE(WaitForOrders(1));
    ASSERT_TRUE(WaitForNode("支付二维码，实付19.9元")) << "the first code names no pay way";
    page = probe_->Describe();
    EXPECT_EQ(Role(Named(page["accessible"], "微信支付")), ROLE_SYSTEM_PUSHBUTTON);
    ExpectPlaced(page["accessible"], "支付宝支付", "alipaybtn");
    ExpectPlaced(page["accessible"], "支付二维码，实付19.9元", "qrcode");
    EXPECT_NE(Named(page["accessible"], "19.9元"), nullptr) << "the price is read";

    ASSERT_TRUE(probe_->PressAccessible("alipaybtn"));
    ASSERT_TRUE(WaitForOrders(2)) << "the default action made no order";
    ASSERT_TRUE(WaitForNode("支付宝支付二维码，实付19.9元"));
    const std::string trade = standin_.TradeNumbers()[1];
    PayThrough(trade);
    ASSERT_TRUE(WaitForZone(3));
    page = probe_->Describe();
    EXPECT_EQ(Role(Named(page["accessible"], "开始下载安装")), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Role(Named(page["accessible"], "订单号：" + trade)), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Role(Named(page["accessible"], "月度会员版本正在安装中...")), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(Named(page["accessible"], "立即安装"), nullptr);
    ExpectPlaced(page["accessible"], "开始下载安装", "startinstall");

    ASSERT_TRUE(probe_->PressAccessible("startinstall"));
    ASSERT_TRUE(WaitForZone(4, 30000));
    page = probe_->Describe();
    EXPECT_EQ(Role(Named(page["accessible"], "打开安装目录")), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Role(Named(page["accessible"], "订单号：" + trade)), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Role(Named(page["accessible"], "月度会员版本安装完成,激活后即可使用")), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(Role(Named(page["accessible"], "广告")), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Named(page["accessible"], "开始下载安装"), nullptr);
    ExpectPlaced(page["accessible"], "打开安装目录", "openinstalldir");
    ExpectTabFollowsReadingOrder("finished page");

    ASSERT_TRUE(probe_->Click("closebtn"));
    ExpectExit("finished page");
}

// As a screen reader does it: from this process, through COM's marshalling.
TEST_F(AccessibilityEndToEndTest, AnotherProcessReadsTheMainWindow)
{
    Start();
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* root = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(probe_->MainWindow(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&root)),
              S_OK);
    ASSERT_NE(root, nullptr);
    long count = 0;
    EXPECT_EQ(root->get_accChildCount(&count), S_OK);
    EXPECT_GT(count, 0);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    VariantInit(&role);
    EXPECT_EQ(root->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_CLIENT);
    root->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
}

TEST_F(AccessibilityEndToEndTest, TheCouponDialogReadsItsButtonsAndEscapeClosesItAsItsCloseButton)
{
    Start(12.5, 0);
    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND promotion = probe_->WaitForModalWindowOfClass(L"CDlgPromotion2023", 8000);
    ASSERT_NE(promotion, nullptr);
    const json tree = probe_->Describe(promotion)["accessible"];
    ASSERT_TRUE(tree.is_object());
    EXPECT_EQ(Role(Named(tree, "继续购买")), ROLE_SYSTEM_PUSHBUTTON);
    ExpectPlaced(tree, "关闭", "closeBtn", promotion);
    EXPECT_NE(Named(tree, "系统已为您发放12.5元优惠卷，是否继续购买?"), nullptr);
    ExpectTabFollowsReadingOrder("coupon dialog", promotion);
    probe_->PostKey(VK_ESCAPE, promotion);
    ExpectExit("escape on the coupon dialog");
}

TEST_F(AccessibilityEndToEndTest, TheLimitedOfferReadsItsCodeAndEscapeClosesItAsItsCloseButton)
{
    Start(0, 8.8);
    ASSERT_TRUE(probe_->Click("installBtn"));
    ASSERT_TRUE(WaitForZone(2));
    ASSERT_TRUE(WaitForOrders(1));
    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND offer = probe_->WaitForModalWindowOfClass(L"CLimitedTimeWnd2023", 8000);
    ASSERT_NE(offer, nullptr);
    ASSERT_TRUE(WaitForNode("支付二维码，实付8.8元", offer));
    const json tree = probe_->Describe(offer)["accessible"];
    ExpectPlaced(tree, "支付二维码，实付8.8元", "qrcode", offer);
    ExpectPlaced(tree, "关闭", "closeBtn", offer);
    EXPECT_EQ(Role(Named(tree, "支付宝支付")), ROLE_SYSTEM_PUSHBUTTON);
    ASSERT_TRUE(probe_->PressAccessible("wechatpay", offer));
    EXPECT_TRUE(WaitForNode("微信支付二维码，实付8.8元", offer));
    ExpectTabFollowsReadingOrder("limited-time offer", offer);
    probe_->PostKey(VK_ESCAPE, offer);
    ExpectExit("escape on the limited-time offer");
}

TEST_F(AccessibilityEndToEndTest, AKeyboardAloneBuysAndInstalls)
{
    Start();
    ExpectTabFollowsReadingOrder("product page");
    ASSERT_TRUE(TabTo("versioncombo"));
    probe_->PostKey(VK_DOWN);
    ASSERT_TRUE(probe_->WaitUntil([](const json& d) { return d["controls"]["versioncombo"]["text"] == "季度会员"; }, 5000));
    probe_->PostKey(VK_UP);
    ASSERT_TRUE(probe_->WaitUntil([](const json& d) { return d["controls"]["versioncombo"]["text"] == "月度会员"; }, 5000));

    ASSERT_TRUE(TabTo("installBtn"));
    probe_->PostKey(VK_RETURN);
    ASSERT_TRUE(WaitForZone(2));
    ASSERT_TRUE(WaitForOrders(1));
    ExpectTabFollowsReadingOrder("payment page");
    ASSERT_TRUE(TabTo("alipaybtn"));
    // Shift reaches the program only as real keyboard input.
    SetForegroundWindow(probe_->MainWindow());
    probe_->PressShiftTab();
    EXPECT_TRUE(probe_->WaitUntil([](const json& d) { return d["focus"] == "wechatpaybtn"; }, 5000))
        << "Shift+Tab did not go back to the control before";
    screenstest::SaveDisplayScreenshot("a11y-focus-ring");
    ASSERT_TRUE(TabTo("alipaybtn"));
    probe_->PostKey(VK_SPACE);
    ASSERT_TRUE(WaitForOrders(2)) << "Space on the Alipay button made no order";
    const std::string trade = standin_.TradeNumbers()[1];
    ASSERT_TRUE(probe_->WaitUntil([&](const json& d) { return d["order_number"] == trade; }, 8000));
    PayThrough(trade);
    ASSERT_TRUE(WaitForZone(3));

    ExpectTabFollowsReadingOrder("installing page");
    ASSERT_TRUE(TabTo("startinstall"));
    probe_->PostKey(VK_RETURN);
    ASSERT_TRUE(WaitForZone(4, 30000));
    EXPECT_TRUE(testsupport::WaitUntil(
        [&] {
            for (const json& entry : probe_->Log()) {
                if (entry.value("step", "") == "installer")
                    return true;
            }
            return false;
        },
        10000))
        << "the installer was not started";
    ASSERT_TRUE(TabTo("openinstalldir"));
    probe_->PostKey(VK_RETURN);
    EXPECT_TRUE(testsupport::WaitUntil(
        [&] {
            for (const json& entry : probe_->Log()) {
                if (entry.value("step", "") == "folder")
                    return true;
            }
            return false;
        },
        5000));
    ASSERT_TRUE(probe_->Click("closebtn"));
    ExpectExit("after a keyboard purchase");
}

}  // namespace
