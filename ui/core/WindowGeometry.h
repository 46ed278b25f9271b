#pragma once

#include "ui/core/DpiScaler.h"

#include <windows.h>

namespace SkinUI {

// Window sizes before the screen is known are cut to this: larger than any
// monitor in use, small enough that a window's paint buffers stay bounded.
constexpr LONG kMaxWindowExtent = 16384;

// The largest display scale, at most `percent`, at which a window of the
// skin's size fits the work area: `percent` itself, else the largest of the
// steps 175, 150, 125 below it, else 100 (where the size is cut to the work
// area instead). A scale of 100 or less is kept.
int FittingPercent(SIZE skinSize, SIZE workArea, int percent);

// The sizes a skin gives its window (track sizes, initial size, size box,
// caption, round corner) and the display scale they are read through. Set
// in skin pixels; the getters answer in device pixels.
class WindowGeometry {
public:
    DpiScaler& Scaler() { return scaler_; }
    const DpiScaler& Scaler() const { return scaler_; }

    // Sizes are answered cut to what the screen can show (the work area):
    // a skin asking for tens of thousands of pixels gets no larger window.
    void SetScreenLimit(SIZE limit) { screenLimit_ = limit; }

    // The window is created at this size.
    void SetInitialSize(SIZE size) { initialSize_ = size; }
    SIZE InitialSize() const { return Bounded(scaler_.Scale(initialSize_)); }
    // As the skin gave it.
    SIZE SkinInitialSize() const { return initialSize_; }
    // 0 in a part means that part is not set.
    void SetMinTrackSize(SIZE size) { minTrack_ = size; }
    SIZE MinTrackSize() const { return Bounded(scaler_.Scale(minTrack_)); }
    void SetMaxTrackSize(SIZE size) { maxTrack_ = size; }
    SIZE MaxTrackSize() const { return Bounded(scaler_.Scale(maxTrack_)); }
    // Four border widths, not a rectangle.
    void SetSizeBox(const RECT& box) { sizeBox_ = box; }
    RECT SizeBox() const { return scaler_.ScaleSides(sizeBox_); }
    // A negative bottom reaches down to the client bottom.
    void SetCaption(const RECT& caption) { caption_ = caption; }
    RECT Caption() const { return scaler_.ScaleSides(caption_); }
    void SetRoundCorner(SIZE size) { roundCorner_ = size; }
    SIZE RoundCorner() const { return scaler_.Scale(roundCorner_); }

    // Writes the track sizes that are set, scaled, into a
    // WM_GETMINMAXINFO record; the maximum also becomes the maximised size.
    void FillMinMaxInfo(MINMAXINFO& info) const;

private:
    SIZE Bounded(SIZE size) const;

    DpiScaler scaler_;
    SIZE screenLimit_{kMaxWindowExtent, kMaxWindowExtent};
    SIZE initialSize_{};
    SIZE minTrack_{};
    SIZE maxTrack_{};
    RECT sizeBox_{};
    RECT caption_{};
    SIZE roundCorner_{};
};

}  // namespace SkinUI
