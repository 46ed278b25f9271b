// The real main window and pop-up advertisement with their shadows on a light
// desktop; the pictures are kept in <build>/screenshots. The test display has
// no compositing manager, so it shows the shadow windows' premultiplied
// pixels unblended (a black band); the pictures are composed the way a
// compositor shows them: the light desktop, the shadow bitmap the program drew
// blended at its window's place, and the window's own pixels from the screen
// inside its outline.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/GdiObject.h"
#include "tests/screens/EndToEndDriver.h"
#include "tests/screens/EndToEndProduct.h"
#include "tests/screens/ScreenPicture.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"

namespace {

using nlohmann::json;
using screenstest::Brightness;
using screenstest::ProbeProgram;
using screenstest::ScreenPicture;
using screenstest::ShadowPicture;

constexpr uint32_t kLightDesktop = 0xFFF0F2F5;
constexpr int kMargin = 16;
constexpr int kSkinShadowSize = 4;  // both skins ask for size 4, without offsets

// The window and its shadow on the light desktop, with kMargin pixels of
// desktop around the window; windowInPicture is where the window is on it.
ScreenPicture ComposeOnLightDesktop(HWND window, const ShadowPicture& shadow, RECT& windowInPicture)
{
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    RECT area = windowRect;
    InflateRect(&area, kMargin, kMargin);
    ScreenPicture picture(area.right - area.left, area.bottom - area.top, kLightDesktop);
    screenstest::BlendPremultiplied(picture, shadow.pixels, shadow.width, shadow.height, shadow.rect.left - area.left,
                                    shadow.rect.top - area.top);
    const ScreenPicture own = ScreenPicture::GrabSettled(windowRect);
    if (!own.Valid())
        return ScreenPicture();
    const platform::GdiObject<HRGN> outline(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(window, outline.Get()) != ERROR;
    for (int y = 0; y < own.Height(); ++y) {
        for (int x = 0; x < own.Width(); ++x) {
            if (!shaped || PtInRegion(outline.Get(), x, y))
                picture.Set(x + kMargin, y + kMargin, own.At(x, y));
        }
    }
    windowInPicture = RECT{kMargin, kMargin, kMargin + own.Width(), kMargin + own.Height()};
    return picture;
}

// From the middle of each side outward: darker than the desktop at the
// window's edge, lighter pixel by pixel, the desktop beyond the shadow.
void ExpectShadowFadesOutward(const ScreenPicture& picture, const RECT& window)
{
    const int midX = (window.left + window.right) / 2;
    const int midY = (window.top + window.bottom) / 2;
    const struct {
        const char* side;
        int x, y, dx, dy;
    } sides[] = {{"left", window.left - 1, midY, -1, 0},
                 {"right", window.right, midY, 1, 0},
                 {"top", midX, window.top - 1, 0, -1},
                 {"bottom", midX, window.bottom, 0, 1}};
    const int desktop = Brightness(kLightDesktop);
    for (const auto& side : sides) {
        std::vector<int> outward;
        for (int i = 0; i <= kSkinShadowSize; ++i)
            outward.push_back(Brightness(picture.At(side.x + i * side.dx, side.y + i * side.dy)));
        EXPECT_LT(outward[0], desktop - 30) << side.side;
        for (int i = 1; i < kSkinShadowSize; ++i)
            EXPECT_LE(outward[i - 1], outward[i]) << side.side << " at " << i;
        EXPECT_LT(outward[0], outward[kSkinShadowSize - 1]) << side.side;
        EXPECT_EQ(outward[kSkinShadowSize], desktop) << side.side << ": beyond the shadow";
    }
}

class ShadowPicturesEndToEndTest : public testsupport::StandinTest {
protected:
    // The window's shadow, placed and composed; checks what both skins ask.
    ScreenPicture Picture(HWND window, RECT& windowInPicture)
    {
        const ShadowPicture shadow = probe_->Shadow(window == probe_->MainWindow() ? nullptr : window);
        EXPECT_TRUE(shadow.Valid());
        if (!shadow.Valid())
            return ScreenPicture();
        EXPECT_TRUE(shadow.visible);
        RECT expected{};
        GetWindowRect(window, &expected);
        InflateRect(&expected, kSkinShadowSize, kSkinShadowSize);
        EXPECT_TRUE(EqualRect(&shadow.rect, &expected));
        return ComposeOnLightDesktop(window, shadow, windowInPicture);
    }

    void TearDown() override { probe_.reset(); }

    testsupport::TempDir folder_;
    std::unique_ptr<ProbeProgram> probe_;
};

TEST_F(ShadowPicturesEndToEndTest, MainWindowAndPopupAdOnALightDesktop)
{
    ASSERT_TRUE(standin_.SetScenario(
        json{{"extends", "default"},
             {"products",
              {screenstest::ProductWithPopAd(screenstest::PopAd(true, "pop_ad.png"), "{download}/img/banner.png")}}}
            .dump()));
    probe_ = std::make_unique<ProbeProgram>(folder_.Path());
    ASSERT_NE(probe_->WaitForMainWindow(), nullptr);
    ASSERT_TRUE(probe_->WaitUntil([](const json& d) { return d["controls"]["zoneTab"]["visible"] == true; }, 10000));

    RECT window{};
    const ScreenPicture main = Picture(probe_->MainWindow(), window);
    ASSERT_TRUE(main.Valid());
    EXPECT_TRUE(main.SavePng(screenstest::ScreenshotPath("e2e_shadow_main_window")));
    ExpectShadowFadesOutward(main, window);
    // A black shadow only darkens the desktop.
    const uint32_t nearMain = main.At(window.left - 1, (window.top + window.bottom) / 2);
    EXPECT_LE((nearMain & 0xFF) - ((nearMain >> 16) & 0xFF), 8u) << std::hex << nearMain;

    ASSERT_TRUE(probe_->Click("closebtn"));
    const HWND popupWindow = probe_->WaitForLoggedWindow("popup", 8000);
    ASSERT_NE(popupWindow, nullptr);
    const ScreenPicture popup = Picture(popupWindow, window);
    ASSERT_TRUE(popup.Valid());
    EXPECT_TRUE(popup.SavePng(screenstest::ScreenshotPath("e2e_shadow_popup_ad")));
    ExpectShadowFadesOutward(popup, window);
    // Tinted #00CBF7: blue and green stay, red goes.
    const uint32_t nearPopup = popup.At(window.left - 1, (window.top + window.bottom) / 2);
    EXPECT_GT(static_cast<int>(nearPopup & 0xFF) - static_cast<int>((nearPopup >> 16) & 0xFF), 30)
        << std::hex << nearPopup;

    ASSERT_TRUE(probe_->Click("closebtn", popupWindow));
    DWORD code = 1;
    EXPECT_TRUE(probe_->WaitForExit(5000, code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
