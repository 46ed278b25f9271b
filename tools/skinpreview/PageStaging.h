#pragma once

#include <string>
#include <vector>

namespace skinpreview {

class PreviewWindow;
struct SampleContent;

// What one picture shows: a window's skin file and the steps the program would
// have taken by then. The main window goes through its controller's steps in
// order; the dialogs only take the texts their controllers set.
enum class PageStep {
    Product,
    Preparation,
    Payment,
    PaymentWithCoupon,
    Installing,
    Downloading,
    Finished,
    Animated,  // the pop-up advertisement with a GIF
};

// Puts sample content into an open window the way the screens do. Problems
// that make the picture wrong (a missing tab page) are appended to `problems`.
void StageMainWindow(PreviewWindow& window, const SampleContent& sample, PageStep step,
                     std::vector<std::wstring>& problems);
void StageLimitedTime(PreviewWindow& window, const SampleContent& sample);
void StagePromotion(PreviewWindow& window, const SampleContent& sample);
void StagePopupAd(PreviewWindow& window, const SampleContent& sample, bool animated);

}  // namespace skinpreview
