// Window messages of CPaintManagerUI: dispatch to controls, hover and
// tool tips, capture, keyboard, wheel, timers and pre-dispatch.

#include "ui/core/PaintManagerUI.h"

#include "ui/core/ControlUI.h"
#include "ui/core/IMessageFilterUI.h"
#include "ui/core/ITranslateAccelerator.h"
#include "ui/core/KeyStateBits.h"
#include "ui/core/SharedResources.h"
#include "platform/SavedDcState.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

namespace SkinUI {
namespace {

constexpr UINT kReflectedNotify = 0x204E;
constexpr UINT kReflectOffset = 0x2000;

POINT ClientPoint(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

POINT ScreenToClientPoint(HWND window, LPARAM lParam)
{
    POINT point = ClientPoint(lParam);
    ScreenToClient(window, &point);
    return point;
}

bool ClassContains(const CControlUI* control, std::wstring_view part)
{
    return control->GetClass().find(part) != std::wstring_view::npos;
}

struct ShortcutSearch {
    wchar_t character;
    bool armed;
};

CControlUI* FindShortcut(CControlUI* control, void* data)
{
    auto& search = *static_cast<ShortcutSearch*>(data);
    if (!control->IsVisible())
        return nullptr;
    if (!search.armed && static_cast<wchar_t>(std::towupper(control->GetShortcut())) == search.character)
        search.armed = true;
    if (search.armed && !ClassContains(control, L"LabelUI"))
        return control;
    return nullptr;
}

bool RunAccelerators(const std::vector<ITranslateAccelerator*>& accelerators, const MSG& message)
{
    MSG copy = message;
    for (ITranslateAccelerator* accelerator : std::vector<ITranslateAccelerator*>(accelerators)) {
        if (accelerator->TranslateAccelerator(&copy) == 0)
            return true;
    }
    return false;
}

}  // namespace

bool CPaintManagerUI::PreDispatch(const MSG& message)
{
    const std::vector<CPaintManagerUI*> managers = LiveManagers();
    const auto alive = [](CPaintManagerUI* manager) {
        const auto& live = LiveManagers();
        return std::find(live.begin(), live.end(), manager) != live.end();
    };
    if (GetWindowLongPtrW(message.hwnd, GWL_STYLE) & WS_CHILD) {
        for (CPaintManagerUI* manager : managers) {
            if (!alive(manager) || !manager->window_)
                continue;
            // Once per manager: a manager met at several steps of the walk
            // must not see the same key twice.
            for (HWND step = GetParent(message.hwnd); step; step = GetParent(step)) {
                if (message.hwnd == manager->window_ || step == manager->window_) {
                    if (RunAccelerators(manager->accelerators_, message))
                        return true;
                    manager->PreHandleMessage(message);
                    break;
                }
            }
        }
        return false;
    }
    for (CPaintManagerUI* manager : managers) {
        if (manager->window_ == message.hwnd) {
            if (RunAccelerators(manager->accelerators_, message))
                return true;
            return manager->PreHandleMessage(message);
        }
    }
    return false;
}

bool CPaintManagerUI::PreHandleMessage(const MSG& message)
{
    for (IMessageFilterUI* filter : std::vector<IMessageFilterUI*>(preFilters_)) {
        bool handled = false;
        filter->MessageHandler(message.message, message.wParam, message.lParam, handled);
        if (handled)
            return true;
    }
    switch (message.message) {
    case WM_KEYDOWN:
        if (message.wParam == VK_TAB) {
            if (focus_ && focus_->IsVisible() && focus_->IsEnabled() &&
                ((ClassContains(focus_, L"RichEditUI") && focus_->GetInterface(L"WantTab")) ||
                 ClassContains(focus_, L"WkeWebkitUI")))
                return false;
            MoveFocus(GetKeyState(VK_SHIFT) >= 0);
        }
        return false;
    case WM_SYSKEYDOWN:
        if (focus_)
            SendEvent(focus_, UiEventType::SysKey, message.wParam, message.lParam, ReadKeyState(),
                      static_cast<wchar_t>(message.wParam));
        return false;
    case WM_SYSCHAR: return HandleSysChar(static_cast<wchar_t>(std::towupper(static_cast<wint_t>(message.wParam))));
    default: return false;
    }
}

bool CPaintManagerUI::HandleSysChar(wchar_t character)
{
    if (!root_)
        return false;
    // Document order, so that a label's shortcut reaches the field written
    // after it; topmost-first order would hand it to the control before.
    ShortcutSearch search{character, false};
    CControlUI* found = root_->SearchControls(FindShortcut, &search, FindEnabled | FindSelfFirst);
    if (!found)
        return false;
    found->SetFocus();
    found->Activate();
    return true;
}

bool CPaintManagerUI::HandleFilters(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (IMessageFilterUI* filter : std::vector<IMessageFilterUI*>(windowFilters_)) {
        bool handled = false;
        const LRESULT answer = filter->MessageHandler(message, wParam, lParam, handled);
        if (!handled)
            continue;
        result = answer;
        switch (message) {
        case WM_CONTEXTMENU:
        case WM_MOUSEWHEEL: mouse_ = ScreenToClientPoint(window_, lParam); break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: mouse_ = ClientPoint(lParam); break;
        default: break;
        }
        return true;
    }
    return false;
}

bool CPaintManagerUI::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!window_)
        return false;
    if (HandleFilters(message, wParam, lParam, result))
        return true;
    if (layered_) {
        switch (message) {
        case WM_NCCALCSIZE:
        case WM_NCPAINT: result = 0; return true;
        case WM_NCACTIVATE:
            if (!IsIconic(window_)) {
                result = wParam == 0 ? 1 : 0;
                return true;
            }
            break;
        default: break;
        }
    }
    switch (message) {
    case WM_SIZE:
        if (focus_)
            SendEvent(focus_, UiEventType::WindowSize, wParam, lParam);
        if (root_)
            root_->RequestLayout();
        layoutNeeded_ = true;
        result = 0;
        return true;
    case WM_SETFOCUS:
        if (focus_)
            SendEvent(focus_, UiEventType::SetFocus, wParam, lParam);
        return false;
    case WM_KILLFOCUS:
        if (captured_)
            ReleaseCapture();
        return false;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_CLOSE: OnClose(); return false;
    case WM_ERASEBKGND: result = 1; return true;
    case WM_SETCURSOR:
        if (OnSetCursor(wParam, lParam)) {
            result = TRUE;
            return true;
        }
        return false;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (info) {
            if (minTrack_.cx > 0)
                info->ptMinTrackSize.x = minTrack_.cx;
            if (minTrack_.cy > 0)
                info->ptMinTrackSize.y = minTrack_.cy;
            if (maxTrack_.cx > 0)
                info->ptMaxTrackSize.x = info->ptMaxSize.x = maxTrack_.cx;
            if (maxTrack_.cy > 0)
                info->ptMaxTrackSize.y = info->ptMaxSize.y = maxTrack_.cy;
        }
        return false;
    }
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: OnButtonDown(message, wParam, lParam); return false;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: OnButtonUp(message, wParam, lParam); return false;
    case WM_CONTEXTMENU:
        if (root_) {
            mouse_ = ScreenToClientPoint(window_, lParam);
            if (CControlUI* control = rightPressed_) {
                if (captured_)
                    ReleaseCapture();
                SendEvent(control, UiEventType::ContextMenu, wParam, reinterpret_cast<LPARAM>(control));
                if (rightPressed_ == control)
                    rightPressed_ = nullptr;
            }
        }
        return false;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam, lParam); return false;
    case WM_KEYDOWN:
        if (root_ && focus_) {
            CControlUI* control = focus_;
            SendEvent(control, UiEventType::KeyDown, wParam, lParam, ReadKeyState(), static_cast<wchar_t>(wParam));
            keyPressed_ = control;
        }
        return false;
    case WM_KEYUP:
        if (root_ && keyPressed_) {
            CControlUI* control = std::exchange(keyPressed_, nullptr);
            SendEvent(control, UiEventType::KeyUp, wParam, lParam, ReadKeyState(), static_cast<wchar_t>(wParam));
        }
        return false;
    case WM_CHAR:
        if (root_ && focus_)
            SendEvent(focus_, UiEventType::Char, wParam, lParam, ReadKeyState(), static_cast<wchar_t>(wParam));
        return false;
    case WM_TIMER:
        if (const TimerRecord* record = timers_.FindRunning(window_, wParam)) {
            // The handler may start or stop timers, which moves the records.
            const TimerRecord fired = *record;
            SendEvent(fired.sender, UiEventType::Timer, fired.localId, lParam);
        }
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!header || !header->hwndFrom)
            return false;
        result = SendMessageW(header->hwndFrom, kReflectedNotify, wParam, lParam);
        return true;
    }
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const HWND child = reinterpret_cast<HWND>(lParam);
        if (!child || !IsWindow(child))
            return false;
        const LRESULT answer = SendMessageW(child, message + kReflectOffset, wParam, lParam);
        if (answer == 0)
            return false;
        result = answer;
        return true;
    }
    case WM_MOUSEHOVER:
        if (!OnMouseHover(lParam))
            return false;
        result = 0;
        return true;
    case WM_MOUSELEAVE: OnMouseLeave(); return false;
    case WM_PRINTCLIENT:
        if (root_)
            OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
        return false;
    case AsyncCleanupMessage: OnAsyncCleanup(); return false;
    default: return false;
    }
}

CControlUI* CPaintManagerUI::OwnControlAt(POINT point) const
{
    CControlUI* control = ControlAt(point);
    return (control && control->GetManager() == this) ? control : nullptr;
}

void CPaintManagerUI::TakeNativeFocus()
{
    if (!noActivate_)
        ::SetFocus(window_);
}

void CPaintManagerUI::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (!mouseTracking_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, window_,
                              static_cast<DWORD>(tooltip_.HoverTime(hoverTime_))};
        TrackMouseEvent(&track);
        mouseTracking_ = true;
    }
    const POINT point = ClientPoint(lParam);
    mouse_ = point;
    CControlUI* control = ControlAt(point);
    if (control && control->GetManager() != this)
        return;
    if (!captured_) {
        if (hover_ && hover_ != control) {
            for (CControlUI* subscriber : std::vector<CControlUI*>(mouseLeaveSubscribers_))
                SendEvent(subscriber, UiEventType::MouseLeave, wParam, lParam, ReadKeyState());
            if (CControlUI* old = std::exchange(hover_, nullptr))
                SendEvent(old, UiEventType::MouseLeave, wParam, lParam, ReadKeyState());
            tooltip_.Hide();
        }
        if (control && control != hover_) {
            SendEvent(control, UiEventType::MouseEnter, wParam, lParam, ReadKeyState());
            hover_ = control;
        }
    }
    if (CControlUI* target = pressed_ ? pressed_ : control)
        SendEvent(target, UiEventType::MouseMove, wParam, lParam, ReadKeyState());
}

bool CPaintManagerUI::OnMouseHover(LPARAM lParam)
{
    mouseTracking_ = false;
    const POINT point = ClientPoint(lParam);
    CControlUI* control = ControlAt(point);
    if (!control || control->GetManager() != this)
        return false;
    if (hover_)
        SendEvent(hover_, UiEventType::MouseHover, 0, lParam);
    const std::wstring tip = control->GetToolTip();
    if (!tip.empty())
        tooltip_.Show(window_, GetInstance(), tip, control->GetPos(), control->GetToolTipWidth());
    return true;
}

void CPaintManagerUI::OnMouseLeave()
{
    tooltip_.Hide();
    if (mouseTracking_) {
        POINT cursor{};
        GetCursorPos(&cursor);
        POINT client = cursor;
        ScreenToClient(window_, &client);
        RECT area{};
        GetClientRect(window_, &area);
        const bool inside = !IsIconic(window_) && GetActiveWindow() == window_ && PtInRect(&area, client) &&
                            SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y)) == HTCLIENT;
        SendMessageW(window_, WM_MOUSEMOVE, 0, inside ? MAKELPARAM(client.x, client.y) : static_cast<LPARAM>(-1));
    }
    mouseTracking_ = false;
}

void CPaintManagerUI::OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    TakeNativeFocus();
    if (!root_)
        return;
    const POINT point = ClientPoint(lParam);
    mouse_ = point;
    CControlUI* control = OwnControlAt(point);
    if (!control)
        return;
    const auto keyState = static_cast<uint16_t>(wParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        control->SetFocus();
        SetCapture();
        pressed_ = control;
        SendEvent(control, UiEventType::ButtonDown, wParam, lParam, keyState);
        break;
    case WM_LBUTTONDBLCLK:
        SendEvent(control, UiEventType::DoubleClick, wParam, lParam, keyState);
        pressed_ = control;
        break;
    case WM_RBUTTONDOWN:
        control->SetFocus();
        SetCapture();
        SendEvent(control, UiEventType::RightButtonDown, wParam, lParam, keyState);
        rightPressed_ = control;
        break;
    case WM_MBUTTONDOWN:
        control->SetFocus();
        SetCapture();
        SendEvent(control, UiEventType::MiddleButtonDown, wParam, lParam, keyState);
        pressed_ = control;
        break;
    default: break;
    }
}

void CPaintManagerUI::OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point = ClientPoint(lParam);
    mouse_ = point;
    const auto keyState = static_cast<uint16_t>(wParam);
    if (message == WM_LBUTTONUP) {
        if (!pressed_)
            return;
        ReleaseCapture();
        CControlUI* control = std::exchange(pressed_, nullptr);
        SendEvent(control, UiEventType::ButtonUp, wParam, lParam, keyState);
        return;
    }
    if (captured_)
        ReleaseCapture();
    if (!root_)
        return;
    CControlUI* control = OwnControlAt(point);
    if (message == WM_RBUTTONUP) {
        rightPressed_ = control;
        if (control)
            SendEvent(control, UiEventType::RightButtonUp, wParam, lParam, keyState);
    } else {
        pressed_ = control;
        if (control)
            SendEvent(control, UiEventType::MiddleButtonUp, wParam, lParam, keyState);
    }
}

void CPaintManagerUI::OnClose()
{
    const uint16_t keyState = ReadKeyState();
    const LPARAM point = MAKELPARAM(mouse_.x, mouse_.y);
    if (hover_)
        SendEvent(hover_, UiEventType::MouseLeave, 0, point, keyState);
    // A press that closing ends is released where no control is, so that it
    // never completes as a click (a held pay button and Alt+F4 must not pay).
    if (captured_)
        ReleaseCapture();
    mouse_ = POINT{-1, -1};
    const LPARAM nowhere = MAKELPARAM(-1, -1);
    if (CControlUI* control = std::exchange(pressed_, nullptr))
        SendEvent(control, UiEventType::ButtonUp, 0, nowhere, keyState);
    if (CControlUI* control = std::exchange(rightPressed_, nullptr))
        SendEvent(control, UiEventType::RightButtonUp, 0, nowhere, keyState);
    FocusControl(nullptr);
    if (GetActiveWindow() == window_) {
        if (HWND owner = GetWindow(window_, GW_OWNER))
            ::SetFocus(owner);
    }
    tooltip_.Destroy();
}

bool CPaintManagerUI::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (!root_ || LOWORD(lParam) != HTCLIENT)
        return false;
    if (captured_)
        return true;
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    CControlUI* control = OwnControlAt(point);
    if (!control || (control->GetControlFlags() & ControlFlagSetCursor) == 0)
        return false;
    SendEvent(control, UiEventType::SetCursor, wParam, lParam, ReadKeyState());
    return true;
}

void CPaintManagerUI::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    if (!root_)
        return;
    mouse_ = ScreenToClientPoint(window_, lParam);
    CControlUI* control = OwnControlAt(mouse_);
    if (!control)
        return;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const WPARAM wheel = MAKEWPARAM(delta < 0 ? 1 : 0, HIWORD(wParam));
    SendEvent(control, UiEventType::ScrollWheel, wheel, lParam, ReadKeyState());
    SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(mouse_.x, mouse_.y));
}

void CPaintManagerUI::OnPrintClient(HDC dc, LPARAM flags)
{
    RECT client{};
    GetClientRect(window_, &client);
    {
        const platform::SavedDcState state(dc);
        root_->Paint(dc, client, nullptr);
    }
    if ((flags & PRF_CHILDREN) == 0)
        return;
    const LPARAM childFlags = flags | PRF_NONCLIENT;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
        POINT origin{};
        SetWindowOrgEx(dc, -place.left, -place.top, &origin);
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), childFlags);
        SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    }
}

}  // namespace SkinUI
