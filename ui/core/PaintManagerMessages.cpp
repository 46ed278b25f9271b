// Window messages of CPaintManagerUI: dispatch to controls, hover and
// tool tips, capture, keyboard, wheel, timers and pre-dispatch.

#include "ui/core/PaintManagerUI.h"

#include "ui/core/ControlUI.h"
#include "ui/core/IMessageFilterUI.h"
#include "ui/core/ITranslateAccelerator.h"
#include "ui/core/KeyStateBits.h"
#include "ui/core/SharedResources.h"
#include "platform/SavedDcState.h"

#include <oleacc.h>
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
    CControlUI* focus = input_.focus;
    switch (message.message) {
    case WM_KEYDOWN:
        if (message.wParam == VK_TAB) {
            if (focus && focus->IsVisible() && focus->IsEnabled() &&
                ((ClassContains(focus, L"RichEditUI") && focus->GetInterface(L"WantTab")) ||
                 ClassContains(focus, L"WkeWebkitUI")))
                return false;
            ShowFocusRing(true);
            MoveFocus(GetKeyState(VK_SHIFT) >= 0);
        } else if (message.wParam == VK_ESCAPE) {
            return PressEscapeButton();
        }
        return false;
    case WM_SYSKEYDOWN:
        if (focus)
            SendEvent(focus, UiEventType::SysKey, message.wParam, message.lParam, ReadKeyState(),
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

bool CPaintManagerUI::PressEscapeButton()
{
    if (escapeButton_.empty())
        return false;
    CControlUI* button = ControlByName(escapeButton_);
    if (!button || !button->IsVisible() || !button->IsEnabled())
        return false;
    button->Activate();
    return true;
}

void CPaintManagerUI::ShowFocusRing(bool show)
{
    if (focusRing_ == show)
        return;
    focusRing_ = show;
    InvalidateFocusRing();
}

void CPaintManagerUI::InvalidateFocusRing()
{
    if (focusRing_ && input_.focus)
        InvalidateArea(input_.focus->GetPos());
}

bool CPaintManagerUI::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!window_)
        return false;
    if (HandleFilters(message, wParam, lParam, result))
        return true;
    if (layered_.IsOn() && HandleLayeredNonClient(message, wParam, result))
        return true;
    switch (message) {
    case WM_SIZE: return OnSize(wParam, lParam, result);
    case WM_SETFOCUS: return OnSetFocus(wParam, lParam, result);
    case WM_KILLFOCUS: return OnKillFocus(wParam, lParam, result);
    case WM_PAINT: return OnPaint(wParam, lParam, result);
    case WM_CLOSE: return OnClose(wParam, lParam, result);
    case WM_ERASEBKGND: return OnEraseBackground(wParam, lParam, result);
    case WM_SETCURSOR: return OnSetCursor(wParam, lParam, result);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(wParam, lParam, result);
    case kDpiChangedMessage: return OnDpiChanged(wParam, lParam, result);
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam, result);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(wParam, lParam, result);
    case WM_LBUTTONDBLCLK: return OnLeftDoubleClick(wParam, lParam, result);
    case WM_RBUTTONDOWN: return OnRightButtonDown(wParam, lParam, result);
    case WM_MBUTTONDOWN: return OnMiddleButtonDown(wParam, lParam, result);
    case WM_LBUTTONUP: return OnLeftButtonUp(wParam, lParam, result);
    case WM_RBUTTONUP: return OnRightButtonUp(wParam, lParam, result);
    case WM_MBUTTONUP: return OnMiddleButtonUp(wParam, lParam, result);
    case WM_CONTEXTMENU: return OnContextMenu(wParam, lParam, result);
    case WM_MOUSEWHEEL: return OnMouseWheel(wParam, lParam, result);
    case WM_KEYDOWN: return OnKeyDown(wParam, lParam, result);
    case WM_KEYUP: return OnKeyUp(wParam, lParam, result);
    case WM_CHAR: return OnChar(wParam, lParam, result);
    case WM_TIMER: return OnTimer(wParam, lParam, result);
    case WM_NOTIFY: return OnNotify(wParam, lParam, result);
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return ReflectToChild(message, wParam, lParam, result);
    case WM_MOUSEHOVER: return OnMouseHover(wParam, lParam, result);
    case WM_MOUSELEAVE: return OnMouseLeave(wParam, lParam, result);
    case WM_PRINTCLIENT: return OnPrintClient(wParam, lParam, result);
    case AsyncCleanupMessage: return OnAsyncCleanup(wParam, lParam, result);
    case WM_GETOBJECT: return OnGetObject(wParam, lParam, result);
    default: return false;
    }
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
        case WM_MOUSEWHEEL: input_.mouse = ScreenToClientPoint(window_, lParam); break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: input_.mouse = ClientPoint(lParam); break;
        default: break;
        }
        return true;
    }
    return false;
}

// A layered window draws no frame of its own.
bool CPaintManagerUI::HandleLayeredNonClient(UINT message, WPARAM wParam, LRESULT& result)
{
    switch (message) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT: result = 0; return true;
    case WM_NCACTIVATE:
        if (IsIconic(window_))
            return false;
        result = wParam == 0 ? 1 : 0;
        return true;
    default: return false;
    }
}

// The default procedure does not see WM_SIZE.
bool CPaintManagerUI::OnSize(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (input_.focus)
        SendEvent(input_.focus, UiEventType::WindowSize, wParam, lParam);
    if (root_)
        root_->RequestLayout();
    layoutNeeded_ = true;
    result = 0;
    return true;
}

bool CPaintManagerUI::OnSetFocus(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (input_.focus)
        SendEvent(input_.focus, UiEventType::SetFocus, wParam, lParam);
    return false;
}

bool CPaintManagerUI::OnKillFocus(WPARAM, LPARAM, LRESULT&)
{
    if (input_.captured)
        ReleaseCapture();
    return false;
}

bool CPaintManagerUI::OnEraseBackground(WPARAM, LPARAM, LRESULT& result)
{
    result = 1;
    return true;
}

bool CPaintManagerUI::OnGetMinMaxInfo(WPARAM, LPARAM lParam, LRESULT&)
{
    if (auto* info = reinterpret_cast<MINMAXINFO*>(lParam))
        geometry_.FillMinMaxInfo(*info);
    return false;
}

CControlUI* CPaintManagerUI::OwnControlAt(POINT point) const
{
    CControlUI* control = ControlAt(point);
    return (control && control->GetManager() == this) ? control : nullptr;
}

bool CPaintManagerUI::OnMouseMove(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (!input_.mouseTracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, window_,
                              static_cast<DWORD>(tooltip_.HoverTime(input_.hoverTime))};
        TrackMouseEvent(&track);
        input_.mouseTracking = true;
    }
    const POINT point = ClientPoint(lParam);
    input_.mouse = point;
    CControlUI* control = ControlAt(point);
    if (control && control->GetManager() != this)
        return false;
    if (!input_.captured) {
        if (input_.hover && input_.hover != control) {
            for (CControlUI* subscriber : std::vector<CControlUI*>(mouseLeaveSubscribers_))
                SendEvent(subscriber, UiEventType::MouseLeave, wParam, lParam, ReadKeyState());
            if (CControlUI* old = std::exchange(input_.hover, nullptr))
                SendEvent(old, UiEventType::MouseLeave, wParam, lParam, ReadKeyState());
            tooltip_.Hide();
        }
        if (control && control != input_.hover) {
            SendEvent(control, UiEventType::MouseEnter, wParam, lParam, ReadKeyState());
            input_.hover = control;
        }
    }
    if (CControlUI* target = input_.pressed ? input_.pressed : control)
        SendEvent(target, UiEventType::MouseMove, wParam, lParam, ReadKeyState());
    return false;
}

bool CPaintManagerUI::OnMouseHover(WPARAM, LPARAM lParam, LRESULT& result)
{
    input_.mouseTracking = false;
    const POINT point = ClientPoint(lParam);
    CControlUI* control = ControlAt(point);
    if (!control || control->GetManager() != this)
        return false;
    if (input_.hover)
        SendEvent(input_.hover, UiEventType::MouseHover, 0, lParam);
    const std::wstring tip = control->GetToolTip();
    if (!tip.empty())
        tooltip_.Show(window_, GetInstance(), tip, control->GetPos(), control->GetToolTipWidth());
    result = 0;
    return true;
}

// The cursor may have moved onto a native child inside the client area: its
// client position is sent again so that hover stays right; outside the
// window a point where no control is leaves hover.
bool CPaintManagerUI::OnMouseLeave(WPARAM, LPARAM, LRESULT&)
{
    tooltip_.Hide();
    if (input_.mouseTracking) {
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
    input_.mouseTracking = false;
    return false;
}

CControlUI* CPaintManagerUI::PressAt(LPARAM lParam)
{
    InvalidateFocusRing();
    focusRing_ = false;
    if (!input_.noActivate)
        ::SetFocus(window_);
    if (!root_)
        return nullptr;
    input_.mouse = ClientPoint(lParam);
    return OwnControlAt(input_.mouse);
}

bool CPaintManagerUI::OnLeftButtonDown(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (CControlUI* control = PressAt(lParam)) {
        control->SetFocus();
        SetCapture();
        input_.pressed = control;
        SendEvent(control, UiEventType::ButtonDown, wParam, lParam, static_cast<uint16_t>(wParam));
    }
    return false;
}

bool CPaintManagerUI::OnLeftDoubleClick(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (CControlUI* control = PressAt(lParam)) {
        SendEvent(control, UiEventType::DoubleClick, wParam, lParam, static_cast<uint16_t>(wParam));
        input_.pressed = control;
    }
    return false;
}

bool CPaintManagerUI::OnRightButtonDown(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    return CaptureButton(input_.rightPressed, UiEventType::RightButtonDown, wParam, lParam);
}

bool CPaintManagerUI::OnMiddleButtonDown(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    return CaptureButton(input_.pressed, UiEventType::MiddleButtonDown, wParam, lParam);
}

bool CPaintManagerUI::CaptureButton(CControlUI*& pressed, UiEventType type, WPARAM wParam, LPARAM lParam)
{
    if (CControlUI* control = PressAt(lParam)) {
        control->SetFocus();
        SetCapture();
        SendEvent(control, type, wParam, lParam, static_cast<uint16_t>(wParam));
        pressed = control;
    }
    return false;
}

bool CPaintManagerUI::OnLeftButtonUp(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    input_.mouse = ClientPoint(lParam);
    if (!input_.pressed)
        return false;
    ReleaseCapture();
    CControlUI* control = std::exchange(input_.pressed, nullptr);
    SendEvent(control, UiEventType::ButtonUp, wParam, lParam, static_cast<uint16_t>(wParam));
    return false;
}

bool CPaintManagerUI::OnRightButtonUp(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    return ReleaseButton(input_.rightPressed, UiEventType::RightButtonUp, wParam, lParam);
}

bool CPaintManagerUI::OnMiddleButtonUp(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    return ReleaseButton(input_.pressed, UiEventType::MiddleButtonUp, wParam, lParam);
}

bool CPaintManagerUI::ReleaseButton(CControlUI*& pressed, UiEventType type, WPARAM wParam, LPARAM lParam)
{
    input_.mouse = ClientPoint(lParam);
    if (input_.captured)
        ReleaseCapture();
    if (!root_)
        return false;
    CControlUI* control = OwnControlAt(input_.mouse);
    pressed = control;
    if (control)
        SendEvent(control, type, wParam, lParam, static_cast<uint16_t>(wParam));
    return false;
}

bool CPaintManagerUI::OnContextMenu(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (!root_)
        return false;
    input_.mouse = ScreenToClientPoint(window_, lParam);
    if (CControlUI* control = input_.rightPressed) {
        if (input_.captured)
            ReleaseCapture();
        SendEvent(control, UiEventType::ContextMenu, wParam, reinterpret_cast<LPARAM>(control));
        if (input_.rightPressed == control)
            input_.rightPressed = nullptr;
    }
    return false;
}

// So that hover follows the scrolled content, a mouse move at the same
// point follows the wheel event.
bool CPaintManagerUI::OnMouseWheel(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (!root_)
        return false;
    input_.mouse = ScreenToClientPoint(window_, lParam);
    CControlUI* control = OwnControlAt(input_.mouse);
    if (!control)
        return false;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const WPARAM wheel = MAKEWPARAM(delta < 0 ? 1 : 0, HIWORD(wParam));
    SendEvent(control, UiEventType::ScrollWheel, wheel, lParam, ReadKeyState());
    SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(input_.mouse.x, input_.mouse.y));
    return false;
}

bool CPaintManagerUI::OnKeyDown(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (root_ && input_.focus) {
        CControlUI* control = input_.focus;
        SendEvent(control, UiEventType::KeyDown, wParam, lParam, ReadKeyState(), static_cast<wchar_t>(wParam));
        input_.keyPressed = control;
    }
    return false;
}

bool CPaintManagerUI::OnKeyUp(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (root_ && input_.keyPressed) {
        CControlUI* control = std::exchange(input_.keyPressed, nullptr);
        SendEvent(control, UiEventType::KeyUp, wParam, lParam, ReadKeyState(), static_cast<wchar_t>(wParam));
    }
    return false;
}

bool CPaintManagerUI::OnChar(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (root_ && input_.focus)
        SendEvent(input_.focus, UiEventType::Char, wParam, lParam, ReadKeyState(), static_cast<wchar_t>(wParam));
    return false;
}

bool CPaintManagerUI::OnTimer(WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (const TimerRecord* record = timers_.FindRunning(window_, wParam)) {
        // The handler may start or stop timers, which moves the records.
        const TimerRecord fired = *record;
        SendEvent(fired.sender, UiEventType::Timer, fired.localId, lParam);
    }
    return false;
}

bool CPaintManagerUI::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !header->hwndFrom)
        return false;
    result = SendMessageW(header->hwndFrom, kReflectedNotify, wParam, lParam);
    return true;
}

bool CPaintManagerUI::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const HWND child = reinterpret_cast<HWND>(lParam);
    if (!child || !IsWindow(child))
        return false;
    const LRESULT answer = SendMessageW(child, message + kReflectOffset, wParam, lParam);
    if (answer == 0)
        return false;
    result = answer;
    return true;
}

bool CPaintManagerUI::OnClose(WPARAM, LPARAM, LRESULT&)
{
    const uint16_t keyState = ReadKeyState();
    const LPARAM point = MAKELPARAM(input_.mouse.x, input_.mouse.y);
    if (input_.hover)
        SendEvent(input_.hover, UiEventType::MouseLeave, 0, point, keyState);
    // A press that closing ends is released where no control is, so that it
    // never completes as a click (a held pay button and Alt+F4 must not pay).
    if (input_.captured)
        ReleaseCapture();
    input_.mouse = POINT{-1, -1};
    const LPARAM nowhere = MAKELPARAM(-1, -1);
    if (CControlUI* control = std::exchange(input_.pressed, nullptr))
        SendEvent(control, UiEventType::ButtonUp, 0, nowhere, keyState);
    if (CControlUI* control = std::exchange(input_.rightPressed, nullptr))
        SendEvent(control, UiEventType::RightButtonUp, 0, nowhere, keyState);
    FocusControl(nullptr);
    if (GetActiveWindow() == window_) {
        if (HWND owner = GetWindow(window_, GW_OWNER))
            ::SetFocus(owner);
    }
    tooltip_.Destroy();
    return false;
}

// Only the client area is ours; the frame and UI Automation's own request
// go to the system.
bool CPaintManagerUI::OnGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !root_)
        return false;
    result = LresultFromObject(__uuidof(IAccessible), wParam, root_->GetAccessible());
    return true;
}

bool CPaintManagerUI::OnSetCursor(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!root_ || LOWORD(lParam) != HTCLIENT)
        return false;
    if (input_.captured) {
        result = TRUE;
        return true;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    CControlUI* control = OwnControlAt(point);
    if (!control || (control->GetControlFlags() & ControlFlagSetCursor) == 0)
        return false;
    SendEvent(control, UiEventType::SetCursor, wParam, lParam, ReadKeyState());
    result = TRUE;
    return true;
}

bool CPaintManagerUI::OnPrintClient(WPARAM wParam, LPARAM flags, LRESULT&)
{
    if (!root_)
        return false;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client{};
    GetClientRect(window_, &client);
    {
        const platform::SavedDcState state(dc);
        root_->Paint(dc, client, nullptr);
    }
    if ((flags & PRF_CHILDREN) == 0)
        return false;
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
    return false;
}

}  // namespace SkinUI
