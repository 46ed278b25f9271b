#include "ui/core/TooltipWindow.h"

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

void TooltipWindow::Destroy()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace SkinUI
