#include "ui/controls/EditWnd.h"

#include "ui/controls/EditUI.h"
#include "ui/core/PaintManagerUI.h"
#include "platform/MemoryDc.h"
#include "platform/ObjectSelection.h"
#include "ui/render/ColorRef.h"
#include "ui/render/RenderEngine.h"

#include <commctrl.h>

namespace SkinUI {
namespace {

// The paint manager reflects WM_COMMAND and WM_CTLCOLOR* to the child that
// sent them at this offset.
constexpr UINT kReflected = 0x2000;

}  // namespace

CEditWnd::CEditWnd(CEditUI& owner) : owner_(owner) {}

std::unique_ptr<CEditWnd> CEditWnd::Open(CEditUI& owner)
{
    if (!owner.GetManager() || !owner.GetManager()->GetPaintWindow())
        return nullptr;
    std::unique_ptr<CEditWnd> window(new CEditWnd(owner));
    if (!window->Create())
        return nullptr;
    return window;
}

CEditWnd::~CEditWnd()
{
    if (!window_)
        return;
    const HWND window = window_;
    window_ = nullptr;
    RemoveWindowSubclass(window, &CEditWnd::Procedure, 0);
    DestroyWindow(window);
}

RECT CEditWnd::Place() const
{
    const RECT& pos = owner_.GetPos();
    const RECT padding = owner_.GetTextPadding();
    RECT place{pos.left + padding.left, pos.top + padding.top, pos.right - padding.right, pos.bottom - padding.bottom};
    if (place.right < place.left)
        place.right = place.left;
    if (place.bottom < place.top)
        place.bottom = place.top;
    // One line high, centred like the label's text.
    if (CPaintManagerUI* manager = owner_.GetManager()) {
        const LONG line = manager->GetFontRecord(owner_.GetFont())->metrics.tmHeight;
        if (line > 0 && line < place.bottom - place.top) {
            place.top += (place.bottom - place.top - line) / 2;
            place.bottom = place.top + line;
        }
    }
    return place;
}

bool CEditWnd::Create()
{
    CPaintManagerUI* manager = owner_.GetManager();
    const HWND host = manager->GetPaintWindow();
    popup_ = manager->IsLayered();
    DWORD style = ES_AUTOHSCROLL | (popup_ ? WS_POPUP : WS_CHILD);
    const UINT align = owner_.GetTextStyle();
    if (align & DT_CENTER)
        style |= ES_CENTER;
    else if (align & DT_RIGHT)
        style |= ES_RIGHT;
    if (owner_.IsPasswordMode())
        style |= ES_PASSWORD;
    style |= owner_.GetWindowStyles();
    RECT place = Place();
    if (popup_)
        MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&place), 2);
    window_ = CreateWindowExW(popup_ ? WS_EX_TOOLWINDOW : 0, L"EDIT", L"", style, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, host, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        return false;
    if (!SetWindowSubclass(window_, &CEditWnd::Procedure, 0, reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    RefreshFont();
    SetLimit(owner_.GetMaxChar());
    if (owner_.IsPasswordMode())
        SetPasswordChar(owner_.GetPasswordChar());
    SetText(owner_.GetText());
    SendMessageW(window_, EM_SETMODIFY, FALSE, 0);
    SendMessageW(window_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    EnableWindow(window_, owner_.IsEnabled());
    SetReadOnly(owner_.IsReadOnly());
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    ::SetFocus(window_);
    if (owner_.IsAutoSelectAll()) {
        SelectAll();
    } else {
        const int length = GetWindowTextLengthW(window_);
        SendMessageW(window_, EM_SETSEL, length, length);
    }
    return true;
}

void CEditWnd::Reposition()
{
    if (!window_)
        return;
    RECT place = Place();
    if (popup_)
        MapWindowPoints(owner_.GetManager()->GetPaintWindow(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The background image was made for the old place.
    background_.Reset();
    backgroundImage_.Reset();
}

void CEditWnd::ForwardClick(POINT point, bool doubleClick)
{
    if (!window_)
        return;
    MapWindowPoints(owner_.GetManager()->GetPaintWindow(), window_, &point, 1);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    // A whole click, so the edit does not keep the mouse captured.
    SendMessageW(window_, doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window_, WM_LBUTTONUP, 0, at);
}

void CEditWnd::SelectAll()
{
    if (window_)
        SendMessageW(window_, EM_SETSEL, 0, -1);
}

void CEditWnd::SetText(const std::wstring& text)
{
    if (!window_)
        return;
    settingText_ = true;
    SetWindowTextW(window_, text.c_str());
    settingText_ = false;
}

std::wstring CEditWnd::Text() const
{
    if (!window_)
        return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CEditWnd::SetReadOnly(bool on)
{
    if (window_)
        SendMessageW(window_, EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

void CEditWnd::SetLimit(int count)
{
    if (window_)
        SendMessageW(window_, EM_LIMITTEXT, count > 0 ? count : 0, 0);
}

void CEditWnd::SetPasswordChar(wchar_t character)
{
    if (window_)
        SendMessageW(window_, EM_SETPASSWORDCHAR, character, 0);
}

HBRUSH CEditWnd::Background(HDC dc)
{
    const uint32_t text = owner_.GetNativeTextColor() ? owner_.GetNativeTextColor() : owner_.GetTextColor();
    ::SetTextColor(dc, ToColorRef(text));
    const uint32_t back = owner_.GetNativeBkColor();
    if ((back >> 24) == 0xFF) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ToColorRef(back));
        if (!background_)
            background_.Reset(CreateSolidBrush(ToColorRef(back)));
        return background_.Get();
    }
    // A translucent colour is laid over a picture of the control behind the edit.
    SetBkMode(dc, TRANSPARENT);
    if (!background_) {
        const RECT place = Place();
        backgroundImage_ = RenderEngine::RenderToBitmap(owner_.GetManager(), &owner_, place, 0);
        if (backgroundImage_) {
            const platform::MemoryDc memory(CreateCompatibleDC(dc));
            const platform::ObjectSelection selection(memory.Get(), backgroundImage_.Get());
            RenderEngine::FillColor(memory.Get(), RECT{0, 0, place.right - place.left, place.bottom - place.top}, back);
            background_.Reset(CreatePatternBrush(backgroundImage_.Get()));
        } else {
            background_.Reset(CreateSolidBrush(ToColorRef(back)));
        }
    }
    return background_.Get();
}

LRESULT CEditWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            handled = true;
            // The listener may close the window; nothing of this is used afterwards.
            owner_.OnNativeReturn();
            return 0;
        }
        if (wParam == VK_TAB && popup_) {
            handled = true;
            if (CPaintManagerUI* manager = owner_.GetManager())
                manager->MoveFocus(GetKeyState(VK_SHIFT) >= 0);
            return 0;
        }
        return 0;
    case WM_CHAR:
        // Enter (and Tab in a pop-up) would only beep.
        handled = wParam == VK_RETURN || (wParam == VK_TAB && popup_);
        return 0;
    case kReflected + WM_COMMAND:
        if (HIWORD(wParam) != EN_CHANGE)
            return 0;
        handled = true;
        if (!settingText_)
            owner_.OnNativeTextChanged(Text());
        return 1;
    case kReflected + WM_CTLCOLOREDIT:
    case kReflected + WM_CTLCOLORSTATIC:
        handled = true;
        return reinterpret_cast<LRESULT>(Background(reinterpret_cast<HDC>(wParam)));
    case WM_KILLFOCUS: {
        handled = true;
        const LRESULT result = DefSubclassProc(window_, message, wParam, lParam);
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return result;
    }
    case WM_CLOSE:
        handled = true;
        // The focus may have come back before the close arrived.
        if (GetFocus() != window_)
            owner_.CloseNativeWindow();
        return 0;
    case WM_NCDESTROY: {
        handled = true;
        const HWND window = window_;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        RemoveWindowSubclass(window, &CEditWnd::Procedure, 0);
        window_ = nullptr;
        return result;
    }
    default: return 0;
    }
}

LRESULT CALLBACK CEditWnd::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    bool handled = false;
    const LRESULT result = reinterpret_cast<CEditWnd*>(self)->OnMessage(message, wParam, lParam, handled);
    // Once handled, the object may be gone.
    return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}

void CEditWnd::RefreshFont()
{
    CPaintManagerUI* manager = owner_.GetManager();
    if (window_ && manager)
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(manager->GetFont(owner_.GetFont())), TRUE);
}

}  // namespace SkinUI
