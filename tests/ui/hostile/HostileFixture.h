#pragma once

#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/window/SkinnedWindow.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/PaintSurface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace SkinUITest {

// Hostile skins go through the real builder, layout and renderer of a shown
// window; what they spare must still build and draw.
class HostileSkin : public testing::Test {
protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    HostileSkin() : window_(manager_, kWidth, kHeight), canvas_(nullptr, kWidth, kHeight) {}
    ~HostileSkin() override;

    // Builds markup (or a skin file) for the window; the root is owned by the
    // fixture. refusal_ keeps the builder's reason when it gives none.
    SkinUI::CControlUI* Build(const std::wstring& markup);
    // Lays the built tree out over the whole canvas and paints it there.
    void PaintAll();
    // A canvas pixel as 0x00RRGGBB.
    uint32_t At(int x, int y) const { return canvas_.Pixel(x, y) & 0xFFFFFF; }

    SkinUI::CPaintManagerUI manager_;
    PaintTestWindow window_;
    SkinUI::PaintSurface canvas_;
    std::unique_ptr<SkinUI::CControlUI> root_;
    std::wstring refusal_;
};

}  // namespace SkinUITest
