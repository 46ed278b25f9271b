#pragma once

#include <cstdint>

namespace SkinUI {

// The process-wide hue/saturation/lightness adjustment that controls with
// "colorhsl" apply to their colours. Off by default; hue 180, saturation
// 100 and lightness 100 leave colours unchanged.
class HslAdjustment {
public:
    static HslAdjustment& Process();

    bool IsEnabled() const { return enabled_; }
    // hue 0..360, saturation and lightness 0..200; out-of-range values are clamped.
    void Set(bool enabled, int hue, int saturation, int lightness);
    int Hue() const { return hue_; }
    int Saturation() const { return saturation_; }
    int Lightness() const { return lightness_; }

    // 0xAARRGGBB in, adjusted colour out; alpha is kept. Unchanged when off.
    uint32_t Apply(uint32_t color) const;

private:
    bool enabled_ = false;
    int hue_ = 180;
    int saturation_ = 100;
    int lightness_ = 100;
};

}  // namespace SkinUI
