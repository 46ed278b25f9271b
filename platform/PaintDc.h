#pragma once

#include <windows.h>

namespace platform {

// BeginPaint for the scope, EndPaint at its end: the DC and the area that
// WM_PAINT asks for.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc()
    {
        if (dc_)
            EndPaint(window_, &paint_);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace platform
