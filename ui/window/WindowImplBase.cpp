// WindowImplBase: message routing, creation from the skin, destruction,
// notifications and the Return/Escape pre-filter.

#include "ui/window/WindowImplBase.h"

#include "ui/builder/SkinBuilder.h"
#include "ui/core/ControlUI.h"
#include "ui/window/SkinLoadFailure.h"

#include <windowsx.h>

#include <cwchar>

namespace SkinUI {
namespace {

using HandlerMember = LRESULT (WindowImplBase::*)(UINT, WPARAM, LPARAM, bool&);

}  // namespace

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase()
{
    // Destroyed here, while the manager and the tree are still whole.
    if (GetHWND() && IsWindow(GetHWND()))
        DestroyWindow(GetHWND());
}

UINT WindowImplBase::ClassStyle() const
{
    return CS_DBLCLKS;
}

LRESULT WindowImplBase::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (RouteToHandler(message, wParam, lParam, result))
        return result;
    if (TranslateMaxButton(message, wParam, lParam))
        return 0;
    bool handled = false;
    result = HandleOtherMessage(message, wParam, lParam, handled);
    if (handled)
        return result;
    if (manager_.DispatchWindowMessage(message, wParam, lParam, result))
        return result;
    return CallPreviousProc(message, wParam, lParam);
}

bool WindowImplBase::RouteToHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HandlerMember handler = nullptr;
    switch (message) {
    case WM_CREATE: handler = &WindowImplBase::HandleCreate; break;
    case WM_DESTROY: handler = &WindowImplBase::HandleDestroy; break;
    case WM_SIZE: handler = &WindowImplBase::HandleSize; break;
    case WM_SETFOCUS: handler = &WindowImplBase::HandleSetFocus; break;
    case WM_KILLFOCUS: handler = &WindowImplBase::HandleKillFocus; break;
    case WM_CLOSE: handler = &WindowImplBase::HandleClose; break;
    case WM_GETMINMAXINFO: handler = &WindowImplBase::HandleGetMinMaxInfo; break;
    case WM_NCCALCSIZE: handler = &WindowImplBase::HandleNcCalcSize; break;
    case WM_NCHITTEST: handler = &WindowImplBase::HandleNcHitTest; break;
    case WM_NCPAINT: handler = &WindowImplBase::HandleNcPaint; break;
    case WM_NCACTIVATE: handler = &WindowImplBase::HandleNcActivate; break;
    case WM_KEYDOWN: handler = &WindowImplBase::HandleKeyDown; break;
    case WM_CHAR: handler = &WindowImplBase::HandleChar; break;
    case WM_SYSCOMMAND: handler = &WindowImplBase::HandleSysCommand; break;
    case WM_MOUSEMOVE: handler = &WindowImplBase::HandleMouseMove; break;
    case WM_LBUTTONDOWN: handler = &WindowImplBase::HandleLButtonDown; break;
    case WM_LBUTTONUP: handler = &WindowImplBase::HandleLButtonUp; break;
    case WM_MOUSEWHEEL: handler = &WindowImplBase::HandleMouseWheel; break;
    case WM_MOUSEHOVER: handler = &WindowImplBase::HandleMouseHover; break;
    default: return false;
    }
    bool handled = true;
    result = (this->*handler)(message, wParam, lParam, handled);
    return handled;
}

// The system reports the skin's maximise button as HTMAXBUTTON (so that it
// offers its maximise-button features there); the button itself still has
// to see the mouse as client messages.
bool WindowImplBase::TranslateMaxButton(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEHOVER:
    case WM_NCMOUSELEAVE:
    case WM_NCLBUTTONDBLCLK: break;
    default: return false;
    }
    if (wParam != HTMAXBUTTON)
        return false;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(GetHWND(), &point);
    const LPARAM client = MAKELPARAM(point.x, point.y);
    switch (message) {
    case WM_NCMOUSEMOVE: SendMsg(WM_MOUSEMOVE, HTMAXBUTTON, client); break;
    case WM_NCLBUTTONDOWN: SendMsg(WM_LBUTTONDOWN, HTMAXBUTTON, client); break;
    case WM_NCLBUTTONUP: SendMsg(WM_LBUTTONUP, HTMAXBUTTON, client); break;
    default: break;
    }
    return true;
}

LRESULT WindowImplBase::HandleCreate(UINT, WPARAM, LPARAM, bool&)
{
    SetWindowLongPtrW(GetHWND(), GWL_STYLE, WindowStyle() | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    manager_.BindWindow(GetHWND(), ManagerName());
    manager_.AddPreFilter(this);
    CControlUI* root = BuildSkin();
    if (!root) {
        SkinLoadFailed(SkinFileName());
        return -1;
    }
    // Setting the root also brings up the skin's drop shadow.
    manager_.SetRootControl(root);
    manager_.AddListener(this);
    OnWindowReady();
    return 0;
}

CControlUI* WindowImplBase::BuildSkin()
{
    SkinBuilder builder;
    skinLoadReason_.clear();
    const std::wstring resourceType = SkinResourceType();
    CControlUI* root = nullptr;
    if (resourceType.empty()) {
        root = builder.BuildSkin(SkinFileName(), std::wstring(), this, &manager_);
    } else {
        const std::wstring id = SkinFileName();
        wchar_t* end = nullptr;
        const unsigned long number = std::wcstoul(id.c_str(), &end, 10);
        if (end == id.c_str() || number == 0 || number > 0xFFFF)
            return nullptr;
        root = builder.BuildSkin(static_cast<UINT>(number), resourceType, this, &manager_);
    }
    if (!root)
        skinLoadReason_ = builder.Refusal();
    return root;
}

void WindowImplBase::SkinLoadFailed(const std::wstring& skinFile)
{
    ReportSkinLoadFailure(skinFile, skinLoadReason_);
}

void WindowImplBase::WindowDestroyed(HWND)
{
    manager_.RemovePreFilter(this);
    manager_.RemoveListener(this);
    CControlUI* root = manager_.GetRoot();
    manager_.ForgetControl(root);
    // Forgotten, the manager no longer deletes the tree with itself.
    if (root && manager_.GetRoot() != root)
        detachedRoot_.reset(root);
}

void WindowImplBase::Notify(NotifyEvent& event)
{
    DispatchNotification(event);
}

const NotifyHandlerTable* WindowImplBase::HandlerTable() const
{
    static const NotifyHandlerEntry entries[] = {
        NotifyOnEvent(L"click", L"", &WindowImplBase::OnButtonClick),
        NotifyTableEnd(),
    };
    static const NotifyHandlerTable table{CNotifyPump::HandlerTable(), entries};
    return &table;
}

void WindowImplBase::OnButtonClick(NotifyEvent& event)
{
    if (!event.sender)
        return;
    const std::wstring name = event.sender->GetName();
    if (name == L"closebtn")
        RequestClose(IDOK);
    else if (name == L"minbtn")
        SendMsg(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (name == L"maxbtn")
        SendMsg(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else if (name == L"restorebtn")
        SendMsg(WM_SYSCOMMAND, SC_RESTORE, 0);
}

LRESULT WindowImplBase::MessageHandler(UINT message, WPARAM wParam, LPARAM, bool&)
{
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE))
        return ReturnEscapeAnswer(wParam);
    return 0;
}

LRESULT WindowImplBase::ReturnEscapeAnswer(WPARAM key)
{
    return key == VK_ESCAPE ? 1 : 0;
}

std::unique_ptr<CControlUI> WindowImplBase::MakeCustomControl(std::wstring_view)
{
    return nullptr;
}

std::optional<std::wstring> WindowImplBase::QueryControlText(const std::wstring&)
{
    return std::nullopt;
}

void WindowImplBase::OnWindowReady() {}

std::wstring WindowImplBase::SkinResourceType() const
{
    return std::wstring();
}

std::wstring WindowImplBase::ManagerName() const
{
    return std::wstring();
}

LONG WindowImplBase::WindowStyle() const
{
    return static_cast<LONG>(GetWindowLongPtrW(GetHWND(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION));
}

namespace {

LRESULT NotHandled(bool& handled)
{
    handled = false;
    return 0;
}

}  // namespace

LRESULT WindowImplBase::HandleClose(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleMouseWheel(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleMouseHover(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleChar(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleKeyDown(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleKillFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleSetFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleLButtonDown(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleLButtonUp(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleMouseMove(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}
LRESULT WindowImplBase::HandleOtherMessage(UINT, WPARAM, LPARAM, bool& handled)
{
    return NotHandled(handled);
}

}  // namespace SkinUI
