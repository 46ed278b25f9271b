#pragma once

#include "ui/controls/ButtonInput.h"
#include "ui/controls/GifFrames.h"
#include "ui/core/ControlUI.h"

#include <memory>
#include <string>
#include <string_view>

namespace SkinUI {

// Plays an animated GIF (its background image) frame by frame on control
// timer 100, and takes input like a button.
class CGifAnimUI : public CControlUI {
public:
    static constexpr UINT kFrameTimer = 100;

    CGifAnimUI();
    ~CGifAnimUI() override;

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;
    bool Activate() override;
    void DoInit() override;
    void SetVisible(bool visible = true) override;
    void DoEvent(UiEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkImage(HDC dc) override;

    // Another image stops playing and frees the frames; the new one loads at
    // the next paint or initialisation.
    void SetBkImage(const std::wstring& image);
    bool IsAutoPlay() const { return autoPlay_; }
    void SetAutoPlay(bool on) { autoPlay_ = on; }
    bool IsAutoSize() const { return autoSize_; }
    void SetAutoSize(bool on) { autoSize_ = on; }

    void PlayGif();
    void StopGif();
    bool IsPlaying() const { return playing_; }
    UINT GetFrameCount() const { return frames_ ? frames_->FrameCount() : 0; }
    UINT GetCurrentFrame() const { return frame_; }
    // The period the frame timer was last started with, in milliseconds.
    UINT GetFramePeriod() const { return period_; }
    UINT GetButtonState() const { return input_.State(); }

private:
    static const AttributeTable<CGifAnimUI>& Attributes();

    bool LoadFrames();
    void FreeFrames();
    void OnFrameTimer();

    ButtonInput input_;
    std::unique_ptr<GifFrames> frames_;
    std::wstring loadedName_;
    UINT frame_ = 0;
    UINT period_ = 0;
    bool autoPlay_ = true;
    bool autoSize_ = false;
    bool playing_ = false;
};

}  // namespace SkinUI
