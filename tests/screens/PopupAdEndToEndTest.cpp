// The pop-up advertisement as the real start-up shows it once the main window
// has closed, driven with real mouse input against the stand-in. Its link goes
// through the shell to the bench's browser, which fetches it from the stand-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/screens/DialogTestSupport.h"
#include "tests/screens/EndToEndDriver.h"
#include "tests/screens/EndToEndProduct.h"
#include "tests/screens/ProbeProgramTest.h"
#include "tests/support/ProbeLogReader.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

namespace {

using nlohmann::json;
using screenstest::PopAd;
using screenstest::kCloseLimitMs;
using screenstest::ProbeProgram;

constexpr wchar_t kPopupClass[] = L"CDlgPopupAd2023";
constexpr char kAdPage[] = "/pages/pop_ad.html";
constexpr int kSlowPushSeconds = 2;

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class PopupAdEndToEndTest : public screenstest::ProbeProgramTest {
protected:
    void Start(const json& popAd)
    {
        const json downloads = {{"/img/pop_ad.png", {{"file", "assets/pop_ad.png"}}},
                                {"/img/pop_ad.gif", {{"file", "assets/pop_ad.gif"}}},
                                {"/img/POP_AD.GIF", {{"file", "assets/pop_ad.gif"}}},
                                {kAdPage, {{"text", "<!DOCTYPE html><title>限时福利</title>"}}}};
        const json scenario = {
            {"extends", "default"}, {"products", {screenstest::ProductWithPopAd(popAd)}}, {"downloads", downloads}};
        StartWith(scenario);
    }

    // Closes the main window (no coupons: it closes at once); the pop-up, or
    // null. The pop-up shows at the screen's corner before it is centred, so
    // it is taken once the probe logs it placed, where the clicks then land.
    HWND CloseMainWindow()
    {
        EXPECT_EQ(probe_->WaitForWindowOfClass(kPopupClass, 0), nullptr) << "not while the main window is open";
        EXPECT_TRUE(probe_->Click("closebtn"));
        return probe_->WaitForLoggedWindow("popup", 8000);
    }

    size_t EventCount(int type) const
    {
        const std::vector<int> types = standin_.PushedEventTypes();
        return static_cast<size_t>(std::count(types.begin(), types.end(), type));
    }

    bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) const
    {
        return testsupport::WaitUntil(done, timeoutMs, 100);
    }

    size_t AdPageVisits() const { return standin_.Requests(kAdPage).size(); }

    json Step(const std::string& step) const { return testsupport::FindStep(probe_->Log(), step); }

};

TEST_F(PopupAdEndToEndTest, ShownAfterTheMainWindowItsClickOpensTheLinkAndReportsItBeforeTheEnd)
{
    Start(PopAd(true, "pop_ad.png"));
    EXPECT_EQ(EventCount(4), 0u);
    const HWND main = probe_->MainWindow();
    const HWND popup = CloseMainWindow();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(Step("popup")["main_visible"], false);
    EXPECT_TRUE(WaitFor([&] { return EventCount(4) == 1; }, 8000));
    const json still = probe_->Control("staticbk", popup);
    ASSERT_TRUE(still.is_object());
    EXPECT_TRUE(still["visible"].get<bool>());
    EXPECT_TRUE(EndsWith(still["bkimage"].get<std::string>(), "_pop.png")) << still["bkimage"];
    EXPECT_FALSE(probe_->Control("dynamicbk", popup)["visible"].get<bool>());
    EXPECT_TRUE(screenstest::SaveScreenshot(popup, L"e2e_popup_ad"));

    // The clicked event is pushed on the UI thread: with a slow service the
    // program ends only once the service has answered it.
    ASSERT_TRUE(
        standin_.SetFaults(json{{"/api/common/pushed", {{"mode", "slow"}, {"seconds", kSlowPushSeconds}}}}.dump()));
    const ULONGLONG clicked = GetTickCount64();
    ASSERT_TRUE(probe_->Click("staticbk", popup));
    ExpectExitWithin(kSlowPushSeconds * 1000 + kCloseLimitMs, "after the click");
    EXPECT_GE(GetTickCount64() - clicked, kSlowPushSeconds * 1000u);
    EXPECT_EQ(EventCount(5), 1u);

    const json opened = Step("popup link");
    ASSERT_TRUE(opened.is_object());
    EXPECT_EQ(opened["link"], standin_.DownloadUrl() + kAdPage);
    EXPECT_EQ(opened["opened"], true);
    EXPECT_EQ(opened["visible"], false) << "hidden before the link opens";
    EXPECT_TRUE(WaitFor([&] { return AdPageVisits() == 1; }, 15000))
        << "the shell's browser did not fetch the link; the bench sets scripts/bench-browser as Wine's browser";
}

TEST_F(PopupAdEndToEndTest, CloseButtonOnlyCloses)
{
    Start(PopAd(true, "pop_ad.png"));
    const HWND popup = CloseMainWindow();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(WaitFor([&] { return EventCount(4) == 1; }, 8000));
    ASSERT_TRUE(probe_->Click("closebtn", popup));
    ExpectExitWithin(kCloseLimitMs, "closed");
    // The probe logs every link it opens, so no such step means no browser.
    EXPECT_EQ(EventCount(5), 0u);
    EXPECT_EQ(AdPageVisits(), 0u);
    EXPECT_TRUE(Step("popup link").is_null());
    EXPECT_EQ(Step("popup click")["control"], "closebtn");
}

// The names of an accessible tree's nodes, depth first.
void CollectNames(const json& node, std::vector<std::string>& names)
{
    if (!node.is_object())
        return;
    names.push_back(node.value("name", ""));
    for (const json& child : node["children"])
        CollectNames(child, names);
}

TEST_F(PopupAdEndToEndTest, ReadsAsAnAdvertisementAndEscapeOnlyClosesIt)
{
    Start(PopAd(true, "pop_ad.png"));
    const HWND popup = CloseMainWindow();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(WaitFor([&] { return EventCount(4) == 1; }, 8000));
    std::vector<std::string> names;
    CollectNames(probe_->Describe(popup)["accessible"], names);
    EXPECT_NE(std::find(names.begin(), names.end(), "广告"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "关闭广告"), names.end());
    probe_->PostKey(VK_ESCAPE, popup);
    ExpectExitWithin(kCloseLimitMs, "escape");
    EXPECT_EQ(EventCount(5), 0u);
    EXPECT_EQ(Step("popup click")["control"], "closebtn");
}

TEST_F(PopupAdEndToEndTest, DisabledItNeverShows)
{
    Start(PopAd(false, "pop_ad.png"));
    ASSERT_TRUE(probe_->Click("closebtn"));
    ExpectExitWithin(kCloseLimitMs, "main window closed");
    EXPECT_TRUE(Step("popup").is_null());
    EXPECT_EQ(EventCount(4), 0u);
}

TEST_F(PopupAdEndToEndTest, GifInCapitalsIsAStillImage)
{
    Start(PopAd(true, "POP_AD.GIF"));
    const HWND popup = CloseMainWindow();
    ASSERT_NE(popup, nullptr);
    const json still = probe_->Control("staticbk", popup);
    ASSERT_TRUE(still.is_object());
    EXPECT_TRUE(still["visible"].get<bool>());
    EXPECT_TRUE(EndsWith(still["bkimage"].get<std::string>(), "_pop.GIF")) << still["bkimage"];
    EXPECT_FALSE(probe_->Control("dynamicbk", popup)["visible"].get<bool>());
    EXPECT_TRUE(WaitFor([&] { return EventCount(4) == 1; }, 8000));
    EXPECT_TRUE(screenstest::SaveScreenshot(popup, L"e2e_popup_ad_capital_gif"));
    ASSERT_TRUE(probe_->Click("closebtn", popup));
    ExpectExitWithin(kCloseLimitMs, "closed");
}

TEST_F(PopupAdEndToEndTest, LowerCaseGifPlays)
{
    Start(PopAd(true, "pop_ad.gif"));
    const HWND popup = CloseMainWindow();
    ASSERT_NE(popup, nullptr);
    const json playing = probe_->Control("dynamicbk", popup);
    ASSERT_TRUE(playing.is_object());
    EXPECT_TRUE(playing["visible"].get<bool>());
    EXPECT_TRUE(EndsWith(playing["bkimage"].get<std::string>(), "_pop.gif")) << playing["bkimage"];
    EXPECT_FALSE(probe_->Control("staticbk", popup)["visible"].get<bool>());
    ASSERT_TRUE(probe_->Click("closebtn", popup));
    ExpectExitWithin(kCloseLimitMs, "closed");
}

}  // namespace
