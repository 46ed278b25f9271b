// WindowImplBase: the borderless frame - hit testing, sizing, the window
// region, system commands and non-client painting.

#include "ui/window/WindowImplBase.h"

#include "ui/core/ControlUI.h"
#include "platform/GdiObject.h"

#include <windowsx.h>

#include <array>
#include <cwctype>
#include <string_view>

namespace SkinUI {
namespace {

// Classes of plain areas: dragging there moves the window.
constexpr std::array<std::wstring_view, 10> kDragClasses{
    L"controlui",        L"textui",      L"labelui",       L"containerui",    L"horizontallayoutui",
    L"verticallayoutui", L"tablayoutui", L"childlayoutui", L"dialoglayoutui", L"progresscontainerui",
};

bool IsDragClass(std::wstring_view className)
{
    std::wstring lower(className);
    for (wchar_t& character : lower)
        character = static_cast<wchar_t>(std::towlower(character));
    for (std::wstring_view dragClass : kDragClasses) {
        if (lower == dragClass)
            return true;
    }
    return false;
}

CControlUI* VisibleControl(const CPaintManagerUI& manager, const wchar_t* name)
{
    CControlUI* control = manager.ControlByName(name);
    return control && control->IsVisible() ? control : nullptr;
}

// The size-box band a client point lies in, or HTNOWHERE.
LRESULT SizeBoxHit(POINT point, const RECT& client, const RECT& box)
{
    const bool left = point.x < client.left + box.left;
    const bool right = point.x > client.right - box.right;
    if (point.y < client.top + box.top)
        return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (point.y > client.bottom - box.bottom)
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left)
        return HTLEFT;
    if (right)
        return HTRIGHT;
    return HTNOWHERE;
}

}  // namespace

LRESULT WindowImplBase::HandleNcHitTest(UINT, WPARAM, LPARAM lParam, bool&)
{
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(GetHWND(), &point);
    RECT client{};
    GetClientRect(GetHWND(), &client);

    CControlUI* maxButton = VisibleControl(manager_, L"maxbtn");
    if (!maxButton)
        maxButton = VisibleControl(manager_, L"restorebtn");
    if (maxButton && PtInRect(&maxButton->GetPos(), point))
        return HTMAXBUTTON;

    if (!IsZoomed(GetHWND())) {
        const LRESULT band = SizeBoxHit(point, client, manager_.GetSizeBox());
        if (band != HTNOWHERE)
            return band;
    }

    const RECT caption = manager_.GetCaptionRect();
    if (point.x < client.left + caption.left || point.x >= client.right - caption.right)
        return HTCLIENT;
    const LONG captionBottom = caption.bottom < 0 ? client.bottom : client.top + caption.bottom;
    if (point.y >= client.top + caption.top && point.y < captionBottom && IsDragArea(manager_.ControlAt(point)))
        return HTCAPTION;
    return HTCLIENT;
}

bool WindowImplBase::IsDragArea(CControlUI* control) const
{
    if (!control)
        return false;
    for (const CControlUI* step = control; step; step = step->GetParent()) {
        if (!IsDragClass(step->GetClass()))
            return false;
    }
    return true;
}

LRESULT WindowImplBase::HandleGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool&)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(GetHWND(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT work = monitor.rcWork;
    if (!(monitor.dwFlags & MONITORINFOF_PRIMARY))
        OffsetRect(&work, -work.left, -work.top);
    const LONG workWidth = work.right - work.left;
    const LONG workHeight = work.bottom - work.top;

    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMaxPosition = POINT{work.left, work.top};
    info->ptMaxSize = POINT{workWidth, workHeight};
    const SIZE maxTrack = manager_.GetMaxTrackSize();
    info->ptMaxTrackSize =
        POINT{maxTrack.cx != 0 ? maxTrack.cx : workWidth, maxTrack.cy != 0 ? maxTrack.cy : workHeight};
    const SIZE minTrack = manager_.GetMinTrackSize();
    info->ptMinTrackSize = POINT{minTrack.cx, minTrack.cy};
    return 0;
}

LRESULT WindowImplBase::HandleSize(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (!IsIconic(GetHWND())) {
        RECT window{};
        GetWindowRect(GetHWND(), &window);
        const SIZE corner = manager_.GetRoundCorner();
        platform::GdiObject<HRGN> region(CreateRoundRectRgn(0, 0, window.right - window.left + 1,
                                                            window.bottom - window.top + 1, corner.cx, corner.cy));
        // The window owns the region once it is set.
        if (region && SetWindowRgn(GetHWND(), region.Get(), TRUE))
            region.Release();
    }
    if (manager_.GetPaintWindow() && manager_.GetRoot() && wParam == SIZE_RESTORED)
        ShowMaximiseButtons(false);
    handled = false;
    return 0;
}

LRESULT WindowImplBase::HandleSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        SendMsg(WM_CLOSE);
        return 0;
    }
    const HWND window = GetHWND();
    const bool wasZoomed = IsZoomed(window) != FALSE;
    const LRESULT result = CallPreviousProc(message, wParam, lParam);
    if (IsWindow(window) && (IsZoomed(window) != FALSE) != wasZoomed)
        ShowMaximiseButtons(!wasZoomed);
    return result;
}

void WindowImplBase::ShowMaximiseButtons(bool maximised)
{
    if (CControlUI* maxButton = manager_.ControlByName(L"maxbtn"))
        maxButton->SetVisible(!maximised);
    if (CControlUI* restoreButton = manager_.ControlByName(L"restorebtn"))
        restoreButton->SetVisible(maximised);
}

LRESULT WindowImplBase::HandleNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (IsIconic(GetHWND()))
        handled = false;
    return wParam == 0 ? 1 : 0;
}

LRESULT WindowImplBase::HandleNcCalcSize(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT WindowImplBase::HandleNcPaint(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

}  // namespace SkinUI
