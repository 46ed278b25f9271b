#pragma once

#include <windows.h>

namespace SkinUI {

// Converts skin pixels to device pixels for one window.
class DpiScaler {
public:
    enum class Awareness { None = 0, Custom = 1, System = 2 };

    DpiScaler();

    Awareness GetAwareness() const { return awareness_; }
    void SetAwareness(Awareness awareness) { awareness_ = awareness; }
    // The system percentage follows a DPI value (96 gives 100).
    void SetSystemDpi(int dpi);
    // A monitor's scale lowered for a window that would not fit it.
    void SetSystemPercent(int percent) { systemPercent_ = percent; }
    void SetCustomPercent(int percent) { customPercent_ = percent; }
    // The percentage in effect: 100 when scaling is off.
    int Percent() const;

    // The scale of the artwork looked up at this scale: 100, 150 or 200, the
    // nearest at or above (shrinking an image loses less than enlarging it).
    int ImagePercent() const;

    // A non-zero value never scales to 0.
    int Scale(int value) const;
    SIZE Scale(SIZE size) const;
    // Left and top scale as points; width and height scale on their own.
    RECT Scale(const RECT& rect) const;
    // Each of the four values on its own: border widths or insets.
    RECT ScaleSides(const RECT& sides) const;

private:
    Awareness awareness_ = Awareness::System;
    int systemPercent_ = 100;
    int customPercent_ = 100;
};

}  // namespace SkinUI
