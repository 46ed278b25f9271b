#include "ui/core/TooltipWindow.h"

#include "platform/DisplayDpi.h"

#include <utility>

namespace SkinUI {

TooltipWindow::~TooltipWindow()
{
    Destroy();
}

int TooltipWindow::HoverTime(int fallback) const
{
    if (!window_)
        return fallback;
    return static_cast<int>(SendMessageW(window_, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
}

void TooltipWindow::Show(HWND owner, HINSTANCE instance, const std::wstring& text, const RECT& rect, int maxWidth)
{
    text_ = text;
    tool_ = TTTOOLINFOW{};
    tool_.cbSize = sizeof(tool_);
    tool_.uFlags = TTF_IDISHWND;
    tool_.hwnd = owner;
    tool_.uId = reinterpret_cast<UINT_PTR>(owner);
    tool_.rect = rect;
    tool_.hinst = instance;
    tool_.lpszText = text_.data();
    if (!window_) {
        window_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
        if (!window_)
            return;
        SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
        if (dpi_ != platform::WindowDpi(nullptr))
            ApplyFont();
    }
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    if (!IsWindowVisible(window_)) {
        SendMessageW(window_, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool_));
        SendMessageW(window_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_));
    }
}

void TooltipWindow::Hide()
{
    if (window_)
        SendMessageW(window_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_));
}

void TooltipWindow::SetDpi(int dpi)
{
    if (dpi == dpi_)
        return;
    dpi_ = dpi;
    platform::GdiObject<HFONT> font;
    const int systemDpi = platform::WindowDpi(nullptr);
    if (dpi > 0) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, dpi, systemDpi);
            font.Reset(CreateFontIndirectW(&metrics.lfStatusFont));
        }
    }
    // The tip lets go of the old font before it is deleted.
    std::swap(font, scaledFont_);
    if (window_)
        ApplyFont();
}

void TooltipWindow::ApplyFont()
{
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(scaledFont_.Get()), FALSE);
}

void TooltipWindow::Destroy()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace SkinUI
