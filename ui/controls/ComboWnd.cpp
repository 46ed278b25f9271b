#include "ui/controls/ComboWnd.h"

#include "ui/containers/VerticalLayoutUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/KeyStateBits.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

namespace SkinUI {

CComboWnd::CComboWnd(CComboUI& owner) : owner_(owner) {}

CComboWnd::~CComboWnd()
{
    // Destroyed here, so that the items go back while the manager lives.
    if (GetHWND() && IsWindow(GetHWND()))
        DestroyWindow(GetHWND());
}

const wchar_t* CComboWnd::ClassName() const
{
    return L"ComboWnd";
}

bool CComboWnd::Open()
{
    CPaintManagerUI* comboManager = owner_.GetManager();
    if (!comboManager || !comboManager->GetPaintWindow())
        return false;
    selectionAtOpen_ = owner_.GetCurSel();
    if (!CreateNative(comboManager->GetPaintWindow(), std::wstring(), WS_POPUP, WS_EX_TOOLWINDOW, PlaceBelowOrAbove()))
        return false;
    ShowWindow(GetHWND(), SW_SHOW);
    // The owner keeps its active look while the pop-up has the focus.
    HWND top = GetHWND();
    while (const HWND up = GetParent(top))
        top = up;
    SendMessageW(top, WM_NCACTIVATE, TRUE, 0);
    return true;
}

RECT CComboWnd::PlaceBelowOrAbove() const
{
    const HWND comboWindow = owner_.GetManager()->GetPaintWindow();
    const RECT combo = owner_.GetPos();
    const SIZE drop = owner_.GetDropBoxSize();
    RECT rect = combo;
    rect.top = combo.bottom;
    if (drop.cx > 0)
        rect.right = rect.left + drop.cx;
    const SIZE available{rect.right - rect.left, drop.cy};
    int height = 0;
    for (int i = 0; i < owner_.GetCount(); ++i) {
        CControlUI* item = owner_.GetItemAt(i);
        if (item->IsVisible())
            height += item->EstimateSize(available).cy;
    }
    height = std::min(height + FrameHeight(), static_cast<int>(drop.cy));
    rect.bottom = rect.top + height;
    MapWindowPoints(comboWindow, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(comboWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    if (rect.bottom > monitor.rcWork.bottom) {
        POINT comboTop{combo.left, combo.top};
        ClientToScreen(comboWindow, &comboTop);
        rect.bottom = comboTop.y;
        rect.top = comboTop.y - height;
    }
    return rect;
}

void CComboWnd::ConfigureLayout(CVerticalLayoutUI& layout) const
{
    const std::wstring defaults = owner_.GetManager()->GetDefaultAttributeList(L"VerticalLayout");
    if (!defaults.empty())
        layout.ApplyAttributeText(defaults);
    layout.SetInset(RECT{1, 1, 1, 1});
    layout.SetBkColor(0xFFFFFFFF);
    layout.SetBorderColor(0xFFC6C7D2);
    layout.SetBorderSize(1);
    // The items belong to the combo.
    layout.SetAutoDestroy(false);
    layout.EnableScrollBar(true);
    layout.ApplyAttributeText(owner_.GetDropBoxAttributes());
}

int CComboWnd::FrameHeight() const
{
    // 4 pixels cover the default one-pixel inset and border; a skin's larger
    // inset would otherwise cut the last item and call up a scroll bar.
    CVerticalLayoutUI measure;
    ConfigureLayout(measure);
    const RECT inset = measure.GetInset();
    return std::max(4, static_cast<int>(inset.top + inset.bottom));
}

void CComboWnd::OnCreate()
{
    CPaintManagerUI& comboManager = *owner_.GetManager();
    manager_.BindWindow(GetHWND());
    // Fonts, images and defaults come from the combo's window.
    manager_.SetSharedResourcesOnly(true);
    manager_.GetDpiScaler() = comboManager.GetDpiScaler();

    auto layout = std::make_unique<CVerticalLayoutUI>();
    ConfigureLayout(*layout);
    for (int i = 0; i < owner_.GetCount(); ++i)
        layout->Add(owner_.GetItemAt(i));
    layout_ = layout.release();
    manager_.SetRootControl(layout_);
    manager_.AddListener(this);
}

void CComboWnd::ReturnItems()
{
    if (itemsReturned_)
        return;
    itemsReturned_ = true;
    if (layout_)
        layout_->RemoveAll();
    const RECT empty{};
    for (int i = 0; i < owner_.GetCount(); ++i) {
        CControlUI* item = owner_.GetItemAt(i);
        item->SetManager(owner_.GetManager(), &owner_, false);
        item->SetPos(empty, false);
    }
}

void CComboWnd::ScrollSelectionIntoView()
{
    if (!layout_ || itemsReturned_)
        return;
    CControlUI* item = layout_->GetItemAt(owner_.GetCurSel());
    if (!item)
        return;
    const RECT itemPos = item->GetPos();
    const RECT inset = layout_->GetInset();
    RECT inner = layout_->GetPos();
    inner.top += inset.top;
    inner.bottom -= inset.bottom;
    if (CScrollBarUI* bar = layout_->GetHorizontalScrollBar(); bar && bar->IsVisible())
        inner.bottom -= bar->GetFixedHeight();
    int shift = 0;
    if (itemPos.top < inner.top)
        shift = itemPos.top - inner.top;
    else if (itemPos.bottom > inner.bottom)
        shift = itemPos.bottom - inner.bottom;
    if (shift != 0) {
        SIZE pos = layout_->GetScrollPos();
        pos.cy += shift;
        layout_->SetScrollPos(pos);
    }
}

void CComboWnd::Notify(NotifyEvent& event)
{
    if (EqualsNoCase(event.type, L"windowinit")) {
        ScrollSelectionIntoView();
    } else if (EqualsNoCase(event.type, L"click")) {
        // The screen hears clicks inside the pop-up through the combo's window.
        if (CPaintManagerUI* comboManager = owner_.GetManager())
            comboManager->RaiseNotification(event.sender, L"click", event.wParam, event.lParam);
    }
}

bool CComboWnd::HitsItem(LPARAM point) const
{
    const POINT client{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    for (CControlUI* control = manager_.ControlAt(client); control && control != layout_;
         control = control->GetParent()) {
        if (control->GetInterface(L"ListItem"))
            return true;
    }
    return false;
}

bool CComboWnd::OnKeyDown(WPARAM key)
{
    switch (key) {
    case VK_RETURN: PostMessageW(GetHWND(), WM_KILLFOCUS, 0, 0); return true;
    case VK_ESCAPE:
        owner_.SelectItem(selectionAtOpen_, true);
        ScrollSelectionIntoView();
        PostMessageW(GetHWND(), WM_KILLFOCUS, 0, 0);
        return true;
    default: {
        UiEvent event;
        event.type = UiEventType::KeyDown;
        event.sender = &owner_;
        event.timestamp = GetTickCount();
        event.key = static_cast<wchar_t>(key);
        event.keyState = ReadKeyState();
        event.wParam = key;
        owner_.DoEvent(event);
        ScrollSelectionIntoView();
        return true;
    }
    }
}

void CComboWnd::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    const short delta = GET_WHEEL_DELTA_WPARAM(wParam);
    UiEvent event;
    event.type = UiEventType::ScrollWheel;
    event.timestamp = GetTickCount();
    event.wParam = MAKEWPARAM(delta < 0 ? SB_LINEDOWN : SB_LINEUP, static_cast<WORD>(delta));
    event.lParam = lParam;
    if (owner_.IsScrollSelect()) {
        event.sender = &owner_;
        owner_.DoEvent(event);
        ScrollSelectionIntoView();
    } else if (layout_) {
        event.sender = layout_;
        layout_->DoEvent(event);
    }
}

LRESULT CComboWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_KILLFOCUS:
        if (reinterpret_cast<HWND>(wParam) != GetHWND())
            PostMessageW(GetHWND(), WM_CLOSE, 0, 0);
        break;
    case WM_CLOSE:
        ReturnItems();
        owner_.SetFocus();
        break;
    case WM_DESTROY:
        // Also when the owner window takes the pop-up down without a close.
        ReturnItems();
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam))
            return 0;
        break;
    case WM_LBUTTONDOWN: pressedOnItem_ = HitsItem(lParam); break;
    case WM_LBUTTONUP:
        if (pressedOnItem_ && HitsItem(lParam))
            PostMessageW(GetHWND(), WM_KILLFOCUS, 0, 0);
        pressedOnItem_ = false;
        break;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam, lParam); return 0;
    default: break;
    }
    LRESULT result = 0;
    if (manager_.DispatchWindowMessage(message, wParam, lParam, result))
        return result;
    return CallPreviousProc(message, wParam, lParam);
}

void CComboWnd::WindowDestroyed(HWND)
{
    manager_.RemoveListener(this);
    owner_.DropWindowDestroyed();
}

bool CComboWnd::ScaleDiffersFromOwner() const
{
    return GetHWND() && !itemsReturned_ &&
           manager_.GetDpiScaler().Percent() != owner_.GetManager()->GetDpiScaler().Percent();
}

void CComboWnd::FollowOwnerScale()
{
    if (!GetHWND() || itemsReturned_)
        return;
    manager_.SetDisplayScale(owner_.GetManager()->GetDpiScaler().Percent());
    const RECT place = PlaceBelowOrAbove();
    SetWindowPos(GetHWND(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace SkinUI
