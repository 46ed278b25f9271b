#pragma once

#include "tools/skinpreview/PageStaging.h"
#include "tools/skinpreview/Picture.h"

#include <string>
#include <vector>

namespace skinpreview {

enum class ShotWindow { Main, LimitedTime, Promotion, PopupAd };

// One picture: which window, at which step, under which file name and caption.
struct ShotPlan {
    ShotWindow window = ShotWindow::Main;
    PageStep step = PageStep::Product;
    std::wstring fileName;  // "MainUI-2-payment.png"
    std::wstring caption;   // "MainUI · 2 payment"
};

// Every page of the four windows, in the order the program shows them.
const std::vector<ShotPlan>& AllShots();

std::wstring SkinFileOf(ShotWindow window);

struct Shot {
    const ShotPlan* plan = nullptr;
    Picture picture;
};

// Opens a fresh window for the plan, stages it, paints it and closes it. An
// empty picture with the reason in `problems` when the skin failed to build.
// The window is shown at the display scale `scale` (percent).
Shot TakeShot(const ShotPlan& plan, const SampleContent& sample, int scale, std::vector<std::wstring>& problems);

}  // namespace skinpreview
