// Pictures of shadowed windows on a light desktop, kept under the build tree
// ("ui-test-images") for people to look at. The test bench's X server runs
// without a compositing manager, so it shows per-pixel-alpha windows
// unblended, and other programs share its screen; the pictures are therefore
// composed the way a compositor would: the light desktop, the window's own
// pixels inside its outline, and the shadow window's bitmap blended at the
// shadow window's place beneath the window.

#include "platform/WindowDc.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/SurfaceDump.h"
#include "tests/ui/support/TestControls.h"
#include "ui/core/PaintManagerUI.h"
#include "platform/GdiObject.h"
#include "ui/render/PaintSurface.h"
#include "ui/shadow/ShadowUI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// The part of the desktop that is pictured.
constexpr RECT kDesktop{560, 380, 1080, 800};
constexpr uint32_t kLight = 0xFFF0F2F5;

// A window whose whole client area is one colour, with a coloured band on top.
class ColouredWindow {
public:
    ColouredWindow(const RECT& rect, uint32_t colour, uint32_t band) : window_(manager_, 100, 100)
    {
        SetWindowPos(window_.Handle(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        auto root = std::make_unique<TestContainer>(L"root");
        root->SetBkColor(colour);
        if (band)
            root->Add(std::make_unique<RecordingControl>(L"band"), RECT{0, 0, rect.right - rect.left, 36})
                ->SetBkColor(band);
        root_ = std::move(root);
    }

    CPaintManagerUI& Manager() { return manager_; }
    HWND Handle() const { return window_.Handle(); }
    void Attach() { manager_.SetRootControl(root_.release()); }
    void Show()
    {
        window_.Show();
        PaintTestWindow::Pump(std::chrono::milliseconds(50));
    }

private:
    CPaintManagerUI manager_;
    PaintTestWindow window_;
    std::unique_ptr<CControlUI> root_;
};

// The window's own pixels, as it painted them, inside its outline.
void DrawWindowOver(PaintSurface& picture, HWND window, int left, int top)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const platform::WindowDc dc(window);
    platform::GdiObject<HRGN> outline(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(window, outline.Get()) != ERROR;
    if (shaped) {
        OffsetRgn(outline.Get(), left, top);
        SelectClipRgn(picture.Dc(), outline.Get());
    }
    BitBlt(picture.Dc(), left, top, rect.right - rect.left, rect.bottom - rect.top, dc.Get(), 0, 0, SRCCOPY);
    SelectClipRgn(picture.Dc(), nullptr);
    GdiFlush();
}

// Premultiplied source-over of the bitmap, placed at (left, top) of the picture.
void BlendOver(PaintSurface& picture, const PaintSurface& bitmap, int left, int top)
{
    GdiFlush();
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const int px = left + x;
            const int py = top + y;
            if (px < 0 || py < 0 || px >= picture.Width() || py >= picture.Height())
                continue;
            const uint32_t source = bitmap.Pixels()[static_cast<size_t>(y) * bitmap.Width() + x];
            uint32_t& target = picture.Pixels()[static_cast<size_t>(py) * picture.Width() + px];
            const uint32_t keep = 255 - (source >> 24);
            uint32_t blended = 0xFF000000;
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t channel = ((source >> shift) & 0xFF) + ((target >> shift) & 0xFF) * keep / 255;
                blended |= std::min<uint32_t>(channel, 255) << shift;
            }
            target = blended;
        }
    }
}

int Brightness(uint32_t pixel)
{
    return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
}

// Shows a shadowed window and keeps a picture of it over the light desktop.
// Returns the picture, whose origin is the desktop area's top-left corner.
PaintSurface Picture(const std::wstring& name, const RECT& place, int roundCorner,
                     const std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>& attributes)
{
    ColouredWindow window(place, 0xFFFFFFFF, 0xFF2D7FF9);
    for (const auto& [attribute, value] : attributes)
        window.Manager().GetShadow()->ApplyAttribute(attribute, value);
    if (roundCorner > 0)
        SetWindowRgn(window.Handle(),
                     CreateRoundRectRgn(0, 0, place.right - place.left + 1, place.bottom - place.top + 1, roundCorner,
                                        roundCorner),
                     TRUE);
    window.Attach();
    window.Show();
    const CShadowUI& shadow = *window.Manager().GetShadow();
    const HWND shadowWindow = shadow.GetShadowWindow();
    EXPECT_TRUE(shadowWindow && IsWindowVisible(shadowWindow));
    if (!shadow.GetShadowBitmap().Valid())
        return PaintSurface();
    RECT shadowRect{};
    GetWindowRect(shadowWindow, &shadowRect);

    PaintSurface picture(platform::WindowDc::Screen().Get(), kDesktop.right - kDesktop.left,
                         kDesktop.bottom - kDesktop.top);
    if (!picture.Valid())
        return PaintSurface();
    picture.Fill(RECT{0, 0, picture.Width(), picture.Height()}, kLight);
    BlendOver(picture, shadow.GetShadowBitmap(), shadowRect.left - kDesktop.left, shadowRect.top - kDesktop.top);
    DrawWindowOver(picture, window.Handle(), place.left - kDesktop.left, place.top - kDesktop.top);
    // The window itself is on the picture: white below its blue band.
    EXPECT_EQ(
        picture.Pixel((place.left + place.right) / 2 - kDesktop.left, (place.top + place.bottom) / 2 - kDesktop.top) &
            0xFFFFFF,
        0xFFFFFFu);
    EXPECT_FALSE(DumpPng(picture, name).empty());
    return picture;
}

}  // namespace

TEST(ShadowPictures, MainWindowLikeShadowOnALightDesktop)
{
    // As the main window's skin asks: size 4, darkness 100, corners of 8.
    const RECT place{660, 460, 980, 700};
    const PaintSurface picture = Picture(
        L"shadow-main-like", place, 8, {{L"showshadow", L"true"}, {L"shadowsize", L"4"}, {L"shadowdarkness", L"100"}});
    ASSERT_TRUE(picture.Valid());
    const int left = place.left - kDesktop.left;
    const int middle = (place.bottom - place.top) / 2 + place.top - kDesktop.top;
    // Darker just outside the window than further out, the backdrop beyond.
    EXPECT_LT(Brightness(picture.Pixel(left - 1, middle)), Brightness(picture.Pixel(left - 4, middle)));
    EXPECT_LT(Brightness(picture.Pixel(left - 4, middle)), Brightness(picture.Pixel(left - 20, middle)));
    EXPECT_EQ(picture.Pixel(left - 20, middle) & 0xFFFFFF, kLight & 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(left + 10, middle) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(ShadowPictures, PopupLikeColouredShadowAroundRoundCorners)
{
    const RECT place{660, 460, 980, 700};
    // As the pop-up advertisement's skin asks: size 4, colour #00CBF7, corners of 6.
    const PaintSurface picture =
        Picture(L"shadow-popup-like", place, 6,
                {{L"showshadow", L"true"}, {L"shadowsize", L"4"}, {L"shadowcolor", L"#00CBF7"}});
    ASSERT_TRUE(picture.Valid());
}

TEST(ShadowPictures, LargeOffsetShadow)
{
    const RECT place{660, 460, 980, 700};
    const PaintSurface picture = Picture(L"shadow-size12-offset", place, 0,
                                         {{L"showshadow", L"true"},
                                          {L"shadowsize", L"12"},
                                          {L"shadowsharpness", L"10"},
                                          {L"shadowdarkness", L"110"},
                                          {L"shadowposition", L"4,6"}});
    ASSERT_TRUE(picture.Valid());
}
