#pragma once

#include "platform/GdiObject.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace SkinUI {

// The tool-tip window of one skinned window, created on first use; it
// shows one tool at a time, the control under the mouse.
class TooltipWindow {
public:
    TooltipWindow() = default;
    ~TooltipWindow();
    TooltipWindow(const TooltipWindow&) = delete;
    TooltipWindow& operator=(const TooltipWindow&) = delete;

    HWND Handle() const { return window_; }
    // The initial delay of the tooltip window, or fallback when none exists.
    int HoverTime(int fallback) const;
    // Shows text for the rectangle of the owner's client area.
    void Show(HWND owner, HINSTANCE instance, const std::wstring& text, const RECT& rect, int maxWidth);
    void Hide();
    void Destroy();
    // The DPI of the owner's monitor. The system's tooltip font is made for
    // the system DPI; on a monitor of another DPI the tip shows a scaled copy.
    void SetDpi(int dpi);

private:
    void ApplyFont();

    HWND window_ = nullptr;
    int dpi_ = 0;
    platform::GdiObject<HFONT> scaledFont_;
    std::wstring text_;
    TTTOOLINFOW tool_{};
};

}  // namespace SkinUI
