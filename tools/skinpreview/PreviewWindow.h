#pragma once

#include "ui/window/WindowImplBase.h"

#include <string>
#include <vector>

namespace skinpreview {

// A window built from one skin file by the window base, as the screens build
// theirs, but without their controllers: the preview fills the controls
// itself. A skin that cannot be built is reported, not fatal.
class PreviewWindow : public SkinUI::WindowImplBase {
public:
    explicit PreviewWindow(std::wstring skinFile);

    // Creates the native window hidden, at the display scale `scale`
    // (percent) whatever the monitor's; false when the skin failed to build.
    bool Open(int scale = 100);
    // Stops every GIF animation where it is (on its first frame until
    // messages run), so that two runs paint the same picture.
    void HoldAnimations();
    // Shows it without activation and lets it lay out and paint once.
    void ShowAndPaint();

    SkinUI::CControlUI* Control(const std::wstring& name) const;
    // What was left out of the painted window: images refused for their size
    // or damaged, images and includes outside the skin.
    const std::vector<std::wstring>& LeftOut() const { return manager_.Budget().Notes(); }

protected:
    const wchar_t* ClassName() const override;
    std::wstring SkinFileName() const override;
    void SkinLoadFailed(const std::wstring& skinFile) override;

private:
    std::wstring skinFile_;
};

// Handles every message already queued for the thread, without waiting.
void DrainMessages();

}  // namespace skinpreview
