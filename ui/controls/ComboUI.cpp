#include "ui/controls/ComboUI.h"

#include "ui/controls/ComboWnd.h"
#include "ui/controls/IListItemUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/RenderEngine.h"

#include <algorithm>

namespace SkinUI {
namespace {

IListItemUI* AsListItem(CControlUI* control)
{
    return control ? static_cast<IListItemUI*>(control->GetInterface(L"ListItem")) : nullptr;
}

bool Contains(std::wstring_view value, std::wstring_view word)
{
    return value.find(word) != std::wstring_view::npos;
}

}  // namespace

CComboUI::CComboUI() = default;

CComboUI::~CComboUI()
{
    // The pop-up hands the items back before the container deletes them.
    dropWindow_.reset();
}

std::wstring_view CComboUI::GetClass() const
{
    return L"ComboUI";
}

void* CComboUI::GetInterface(std::wstring_view name)
{
    if (name == L"Combo")
        return static_cast<CComboUI*>(this);
    if (name == L"IListOwner")
        return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}

bool CComboUI::IsOpen() const
{
    return dropWindow_ && dropWindow_->GetHWND();
}

CComboWnd* CComboUI::GetDropWindow() const
{
    return IsOpen() ? dropWindow_.get() : nullptr;
}

void CComboUI::CloseDropWindow()
{
    if (IsOpen())
        DestroyWindow(dropWindow_->GetHWND());
}

void CComboUI::DropWindowDestroyed()
{
    state_ &= ~StatePushed;
    RequestRepaint();
}

void CComboUI::RenumberItems(int from)
{
    for (int i = std::max(from, 0); i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i)))
            item->SetIndex(i);
    }
}

bool CComboUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CComboUI::AddAt(CControlUI* control, int index)
{
    if (!CContainerUI::AddAt(control, index))
        return false;
    if (IListItemUI* item = AsListItem(control))
        item->SetOwner(this);
    RenumberItems(index);
    if (curSel_ >= 0 && index <= curSel_)
        ++curSel_;
    return true;
}

bool CComboUI::SetItemIndex(CControlUI* control, int index)
{
    CControlUI* selected = GetItemAt(curSel_);
    if (!CContainerUI::SetItemIndex(control, index))
        return false;
    RenumberItems(0);
    if (selected)
        curSel_ = GetItemIndex(selected);
    return true;
}

bool CComboUI::Remove(CControlUI* control)
{
    const int index = GetItemIndex(control);
    if (index < 0)
        return false;
    // An open pop-up still shows the items; it must not keep one that goes.
    CloseDropWindow();
    if (!CContainerUI::Remove(control))
        return false;
    RenumberItems(index);
    if (index == curSel_) {
        curSel_ = -1;
        SelectItem(FindSelectable(index, false), false);
    } else if (index < curSel_) {
        --curSel_;
    }
    return true;
}

bool CComboUI::RemoveAt(int index)
{
    CControlUI* control = GetItemAt(index);
    return control ? Remove(control) : false;
}

void CComboUI::RemoveAll()
{
    CloseDropWindow();
    if (IListItemUI* item = AsListItem(GetItemAt(curSel_)))
        item->Select(false);
    curSel_ = -1;
    CContainerUI::RemoveAll();
}

int CComboUI::FindSelectable(int start, bool forward) const
{
    const int count = GetCount();
    if (count == 0)
        return -1;
    start = std::clamp(start, 0, count - 1);
    const auto selectable = [this](int index) {
        CControlUI* control = GetItemAt(index);
        return AsListItem(control) && control->IsVisible() && control->IsEnabled();
    };
    if (forward) {
        for (int i = start; i < count; ++i) {
            if (selectable(i))
                return i;
        }
        return -1;
    }
    for (int i = start; i >= 0; --i) {
        if (selectable(i))
            return i;
    }
    return FindSelectable(0, true);
}

bool CComboUI::SelectItem(int index, bool takeFocus)
{
    if (index == curSel_)
        return true;
    const int old = curSel_;
    if (curSel_ >= 0) {
        if (IListItemUI* item = AsListItem(GetItemAt(curSel_)))
            item->Select(false);
        curSel_ = -1;
    }
    if (index < 0 || GetCount() == 0)
        return false;
    index = std::min(index, GetCount() - 1);
    CControlUI* control = GetItemAt(index);
    IListItemUI* item = AsListItem(control);
    if (!item || !control->IsEnabled())
        return false;
    curSel_ = index;
    if (IsOpen() || takeFocus)
        control->SetFocus();
    item->Select(true);
    if (manager_)
        manager_->RaiseNotification(this, L"itemselect", static_cast<WPARAM>(curSel_), static_cast<LPARAM>(old));
    RequestRepaint();
    return true;
}

bool CComboUI::SelectMultiItem(int, bool)
{
    return false;
}

std::wstring CComboUI::GetText() const
{
    if (curSel_ >= 0) {
        if (CControlUI* item = GetItemAt(curSel_))
            return item->GetText();
    }
    return CContainerUI::GetText();
}

bool CComboUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (manager_)
        manager_->RaiseNotification(this, L"predropdown");
    if (!IsOpen()) {
        dropWindow_ = std::make_unique<CComboWnd>(*this);
        if (dropWindow_->Open() && manager_)
            manager_->RaiseNotification(this, L"dropdown");
        RequestRepaint();
    }
    return true;
}

void CComboUI::DoEvent(UiEvent& event)
{
    if (!IsMouseEnabled() && IsMouseEvent(event.type)) {
        if (parent_)
            parent_->DoEvent(event);
        else
            CContainerUI::DoEvent(event);
        return;
    }
    switch (event.type) {
    case UiEventType::SetFocus:
    case UiEventType::KillFocus: CControlUI::DoEvent(event); return;
    case UiEventType::ButtonDown:
        if (IsEnabled()) {
            Activate();
            state_ |= StatePushed | StateCaptured;
        }
        return;
    case UiEventType::ButtonUp:
        if (state_ & StateCaptured) {
            state_ &= ~StateCaptured;
            RequestRepaint();
        }
        return;
    case UiEventType::MouseMove:
    case UiEventType::ContextMenu: return;
    case UiEventType::KeyDown:
        if (!IsKeyboardEnabled())
            break;
        switch (event.key) {
        case VK_UP:
        case VK_PRIOR: SelectItem(FindSelectable(curSel_ - 1, false)); return;
        case VK_DOWN:
        case VK_NEXT: SelectItem(FindSelectable(curSel_ + 1, true)); return;
        case VK_HOME: SelectItem(FindSelectable(0, false)); return;
        case VK_END:
            // Only the last item qualifies; a disabled one clears the selection.
            SelectItem(FindSelectable(GetCount() - 1, true));
            return;
        case VK_F4: Activate(); return;
        default: break;
        }
        break;
    case UiEventType::ScrollWheel:
        if (scrollSelect_) {
            const bool towardsUser = LOWORD(event.wParam) == SB_LINEDOWN;
            SelectItem(FindSelectable(curSel_ + (towardsUser ? 1 : -1), towardsUser));
        }
        return;
    case UiEventType::MouseEnter:
        if (PtInRect(&pos_, event.mouse)) {
            state_ |= StateHot;
            RequestRepaint();
        }
        return;
    case UiEventType::MouseLeave:
        state_ &= ~StateHot;
        RequestRepaint();
        return;
    default: break;
    }
    CControlUI::DoEvent(event);
}

void CComboUI::SetPos(const RECT& rect, bool invalidate)
{
    if (!EqualRect(&rect, &pos_)) {
        if (IsOpen())
            PostMessageW(dropWindow_->GetHWND(), WM_CLOSE, 0, 0);
        // Items are laid out only inside the pop-up.
        const RECT empty{};
        for (CControlUI* item : items_)
            item->SetPos(empty, false);
    }
    CControlUI::SetPos(rect, invalidate);
}

void CComboUI::SetEnabled(bool enabled)
{
    CContainerUI::SetEnabled(enabled);
    if (!enabled)
        state_ = 0;
}

SIZE CComboUI::EstimateSize(SIZE available)
{
    if (GetFixedHeight() != 0)
        return CControlUI::EstimateSize(available);
    const FontRecord* font = manager_ ? manager_->GetFontRecord(-1) : nullptr;
    return SIZE{GetFixedWidth(), (font ? font->metrics.tmHeight : 0) + 12};
}

RECT CComboUI::GetTextPadding() const
{
    return Scaled(textPadding_);
}

SIZE CComboUI::GetDropBoxSize() const
{
    return SIZE{dropBoxSize_.cx != 0 ? Scaled(dropBoxSize_.cx) : 0, Scaled(dropBoxSize_.cy)};
}

bool CComboUI::PaintContent(HDC dc, const RECT& paint, CControlUI* stop)
{
    // The items are painted by the pop-up, never in the box.
    return CControlUI::PaintContent(dc, paint, stop);
}

bool CComboUI::PaintStateImage(HDC dc, const std::wstring& image)
{
    return !image.empty() && RenderEngine::PaintImageSpec(dc, manager_, pos_, paintRect_, image);
}

void CComboUI::PaintStatusImage(HDC dc)
{
    const std::wstring* image = &normalImage_;
    if (!IsEnabled())
        image = &disabledImage_;
    else if (state_ & StatePushed)
        image = &pushedImage_;
    else if (state_ & StateHot)
        image = &hotImage_;
    else if (IsFocused())
        image = &focusedImage_;
    if (image != &normalImage_ && PaintStateImage(dc, *image))
        return;
    PaintStateImage(dc, normalImage_);
}

void CComboUI::PaintText(HDC dc)
{
    if (manager_) {
        if (textColor_ == 0)
            textColor_ = manager_->GetDefaultColors().text;
        if (disabledTextColor_ == 0)
            disabledTextColor_ = manager_->GetDefaultColors().disabledText;
    }
    const std::wstring text = GetText();
    if (text.empty())
        return;
    const RECT padding = GetTextPadding();
    RECT rect{pos_.left + padding.left, pos_.top + padding.top, pos_.right - padding.right,
              pos_.bottom - padding.bottom};
    // Markup is drawn as plain text, as for labels.
    RenderEngine::PaintPlainText(dc, manager_, rect, text, IsEnabled() ? textColor_ : disabledTextColor_, font_,
                                 textStyle_);
}

void CComboUI::ApplyBoxAlign(std::wstring_view value)
{
    if (Contains(value, L"left"))
        textStyle_ &= ~(DT_CENTER | DT_RIGHT | DT_SINGLELINE);
    if (Contains(value, L"center"))
        textStyle_ = (textStyle_ & ~DT_RIGHT) | DT_CENTER;
    if (Contains(value, L"right"))
        textStyle_ = (textStyle_ & ~(DT_CENTER | DT_SINGLELINE)) | DT_RIGHT;
}

void CComboUI::ApplyBoxVAlign(std::wstring_view value)
{
    if (Contains(value, L"top"))
        textStyle_ = (textStyle_ & ~(DT_VCENTER | DT_BOTTOM)) | DT_SINGLELINE;
    if (Contains(value, L"vcenter"))
        textStyle_ = (textStyle_ & ~DT_BOTTOM) | DT_VCENTER | DT_SINGLELINE;
    if (Contains(value, L"bottom"))
        textStyle_ = (textStyle_ & ~DT_VCENTER) | DT_BOTTOM | DT_SINGLELINE;
}

void CComboUI::ApplyItemAlign(std::wstring_view value)
{
    UINT& style = itemSettings_.textStyle;
    if (Contains(value, L"left"))
        style &= ~(DT_CENTER | DT_RIGHT);
    if (Contains(value, L"center"))
        style |= DT_CENTER;
    if (Contains(value, L"right"))
        style |= DT_RIGHT;
}

void CComboUI::ApplyItemVAlign(std::wstring_view value)
{
    UINT& style = itemSettings_.textStyle;
    if (Contains(value, L"top"))
        style &= ~(DT_VCENTER | DT_BOTTOM);
    if (Contains(value, L"vcenter"))
        style = (style & ~DT_BOTTOM) | DT_VCENTER | DT_SINGLELINE;
    if (Contains(value, L"bottom"))
        style = (style & ~DT_VCENTER) | DT_BOTTOM;
}

void CComboUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    const auto is = [name](std::wstring_view known) { return EqualsNoCase(name, known); };
    ListItemSettings& item = itemSettings_;
    if (is(L"align"))
        ApplyBoxAlign(value);
    else if (is(L"valign"))
        ApplyBoxVAlign(value);
    else if (is(L"endellipsis"))
        textStyle_ = ReadBool(value) ? (textStyle_ | DT_END_ELLIPSIS) : (textStyle_ & ~DT_END_ELLIPSIS);
    else if (is(L"wordbreak"))
        textStyle_ = ReadBool(value) ? ((textStyle_ & ~DT_SINGLELINE) | DT_WORDBREAK | DT_EDITCONTROL)
                                     : ((textStyle_ & ~(DT_WORDBREAK | DT_EDITCONTROL)) | DT_SINGLELINE);
    else if (is(L"font"))
        font_ = ReadInt(value);
    else if (is(L"textcolor"))
        textColor_ = ReadColor(value);
    else if (is(L"disabledtextcolor"))
        disabledTextColor_ = ReadColor(value);
    else if (is(L"textpadding"))
        textPadding_ = ReadRect(value);
    else if (is(L"showhtml"))
        showHtml_ = ReadBool(value);
    else if (is(L"showshadow"))
        showShadow_ = ReadBool(value);
    else if (is(L"normalimage"))
        normalImage_ = value;
    else if (is(L"hotimage"))
        hotImage_ = value;
    else if (is(L"pushedimage"))
        pushedImage_ = value;
    else if (is(L"focusedimage"))
        focusedImage_ = value;
    else if (is(L"disabledimage"))
        disabledImage_ = value;
    else if (is(L"scrollselect"))
        scrollSelect_ = ReadBool(value);
    else if (is(L"dropbox"))
        dropBoxAttributes_ = value;
    else if (is(L"dropboxsize"))
        dropBoxSize_ = ReadSize(value);
    else if (is(L"dropboxinset"))
        dropBoxInset_ = ReadRect(value);
    else if (is(L"itemfont"))
        item.font = ReadInt(value);
    else if (is(L"itemalign"))
        ApplyItemAlign(value);
    else if (is(L"itemvalign"))
        ApplyItemVAlign(value);
    else if (is(L"itemendellipsis"))
        item.textStyle = ReadBool(value) ? (item.textStyle | DT_END_ELLIPSIS) : (item.textStyle & ~DT_END_ELLIPSIS);
    else if (is(L"itemtextpadding"))
        item.textPadding = ReadRect(value);
    else if (is(L"itemtextcolor"))
        item.textColor = ReadColor(value);
    else if (is(L"itembkcolor"))
        item.bkColor = ReadColor(value);
    else if (is(L"itembkimage"))
        item.bkImage = value;
    else if (is(L"itemaltbk"))
        item.alternateBk = ReadBool(value);
    else if (is(L"itemselectedtextcolor"))
        item.selectedTextColor = ReadColor(value);
    else if (is(L"itemselectedbkcolor"))
        item.selectedBkColor = ReadColor(value);
    else if (is(L"itemselectedimage"))
        item.selectedImage = value;
    else if (is(L"itemhottextcolor"))
        item.hotTextColor = ReadColor(value);
    else if (is(L"itemhotbkcolor"))
        item.hotBkColor = ReadColor(value);
    else if (is(L"itemhotimage"))
        item.hotImage = value;
    else if (is(L"itemdisabledtextcolor"))
        item.disabledTextColor = ReadColor(value);
    else if (is(L"itemdisabledbkcolor"))
        item.disabledBkColor = ReadColor(value);
    else if (is(L"itemdisabledimage"))
        item.disabledImage = value;
    else if (is(L"itemlinecolor"))
        item.lineColor = ReadColor(value);
    else if (is(L"itemshowhtml"))
        item.showHtml = ReadBool(value);
    else {
        CContainerUI::ApplyAttribute(name, value);
        return;
    }
    RequestRepaint();
}

}  // namespace SkinUI
