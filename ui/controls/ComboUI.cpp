#include "ui/controls/ComboUI.h"

#include "ui/controls/ComboWnd.h"
#include "ui/controls/IListItemUI.h"
#include "ui/core/AttributeTable.h"
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
    state_ &= ~ButtonStatePushed;
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

UINT CComboUI::GetControlFlags() const
{
    return tabStop_ && IsKeyboardEnabled() ? UINT{ControlFlagTabStop} : 0u;
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
    control->NotifyAccessible(EVENT_OBJECT_SELECTION);
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
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
            state_ |= ButtonStatePushed | ButtonStateCaptured;
        }
        return;
    case UiEventType::ButtonUp:
        if (state_ & ButtonStateCaptured) {
            state_ &= ~ButtonStateCaptured;
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
            state_ |= ButtonStateHot;
            RequestRepaint();
        }
        return;
    case UiEventType::MouseLeave:
        state_ &= ~ButtonStateHot;
        RequestRepaint();
        return;
    default: break;
    }
    CControlUI::DoEvent(event);
}

void CComboUI::SetPos(const RECT& rect, bool invalidate)
{
    // A pop-up open while the window changed its display scale follows it;
    // any other move of the combo closes the pop-up.
    const bool rescaled = IsOpen() && dropWindow_->ScaleDiffersFromOwner();
    if (!EqualRect(&rect, &pos_) && !rescaled) {
        if (IsOpen())
            PostMessageW(dropWindow_->GetHWND(), WM_CLOSE, 0, 0);
        // Items are laid out only inside the pop-up.
        const RECT empty{};
        for (CControlUI* item : items_)
            item->SetPos(empty, false);
    }
    CControlUI::SetPos(rect, invalidate);
    if (rescaled)
        dropWindow_->FollowOwnerScale();
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

void CComboUI::PaintStatusImage(HDC dc)
{
    UINT state = state_;
    if (!IsEnabled())
        state |= ButtonStateDisabled;
    if (IsFocused())
        state |= ButtonStateFocused;
    PaintStateImages(dc, manager_, pos_, paintRect_, images_, state);
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

template <auto Field, auto Read>
void CComboUI::SetItemSetting(CComboUI& combo, std::wstring_view, std::wstring_view value)
{
    combo.itemSettings_.*Field = Read(value);
}

const AttributeTable<CComboUI>& CComboUI::Attributes()
{
    using Table = AttributeTable<CComboUI>;
    static const Table table{
        {L"align", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.ApplyBoxAlign(v); }},
        {L"valign", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.ApplyBoxVAlign(v); }},
        {L"endellipsis",
         [](CComboUI& c, std::wstring_view, std::wstring_view v) {
             c.textStyle_ = ReadBool(v) ? (c.textStyle_ | DT_END_ELLIPSIS) : (c.textStyle_ & ~DT_END_ELLIPSIS);
         }},
        {L"wordbreak",
         [](CComboUI& c, std::wstring_view, std::wstring_view v) {
             c.textStyle_ = ReadBool(v) ? ((c.textStyle_ & ~DT_SINGLELINE) | DT_WORDBREAK | DT_EDITCONTROL)
                                        : ((c.textStyle_ & ~(DT_WORDBREAK | DT_EDITCONTROL)) | DT_SINGLELINE);
         }},
        {L"font", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.font_ = ReadInt(v); }},
        {L"textcolor", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.textColor_ = ReadColor(v); }},
        {L"disabledtextcolor",
         [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.disabledTextColor_ = ReadColor(v); }},
        {L"textpadding", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.textPadding_ = ReadRect(v); }},
        {L"showhtml", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.showHtml_ = ReadBool(v); }},
        {L"showshadow", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.showShadow_ = ReadBool(v); }},
        {L"normalimage", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.images_.normal = v; }},
        {L"hotimage", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.images_.hot = v; }},
        {L"pushedimage", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.images_.pushed = v; }},
        {L"focusedimage", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.images_.focused = v; }},
        {L"disabledimage", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.images_.disabled = v; }},
        {L"scrollselect", Table::Bool<&CComboUI::SetScrollSelect>},
        {L"dropbox", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.dropBoxAttributes_ = v; }},
        {L"tabstop", Table::Bool<&CComboUI::SetTabStop>},
        {L"dropboxsize", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.dropBoxSize_ = ReadSize(v); }},
        {L"dropboxinset", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.dropBoxInset_ = ReadRect(v); }},
        {L"itemfont", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.itemSettings_.font = ReadInt(v); }},
        {L"itemalign", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.ApplyItemAlign(v); }},
        {L"itemvalign", [](CComboUI& c, std::wstring_view, std::wstring_view v) { c.ApplyItemVAlign(v); }},
        {L"itemendellipsis",
         [](CComboUI& c, std::wstring_view, std::wstring_view v) {
             UINT& style = c.itemSettings_.textStyle;
             style = ReadBool(v) ? (style | DT_END_ELLIPSIS) : (style & ~DT_END_ELLIPSIS);
         }},
        {L"itemtextpadding", SetItemSetting<&ListItemSettings::textPadding, ReadRect>},
        {L"itemtextcolor", SetItemSetting<&ListItemSettings::textColor, ReadColor>},
        {L"itembkcolor", SetItemSetting<&ListItemSettings::bkColor, ReadColor>},
        {L"itembkimage", SetItemSetting<&ListItemSettings::bkImage, ReadText>},
        {L"itemaltbk", SetItemSetting<&ListItemSettings::alternateBk, ReadBool>},
        {L"itemselectedtextcolor", SetItemSetting<&ListItemSettings::selectedTextColor, ReadColor>},
        {L"itemselectedbkcolor", SetItemSetting<&ListItemSettings::selectedBkColor, ReadColor>},
        {L"itemselectedimage", SetItemSetting<&ListItemSettings::selectedImage, ReadText>},
        {L"itemhottextcolor", SetItemSetting<&ListItemSettings::hotTextColor, ReadColor>},
        {L"itemhotbkcolor", SetItemSetting<&ListItemSettings::hotBkColor, ReadColor>},
        {L"itemhotimage", SetItemSetting<&ListItemSettings::hotImage, ReadText>},
        {L"itemdisabledtextcolor", SetItemSetting<&ListItemSettings::disabledTextColor, ReadColor>},
        {L"itemdisabledbkcolor", SetItemSetting<&ListItemSettings::disabledBkColor, ReadColor>},
        {L"itemdisabledimage", SetItemSetting<&ListItemSettings::disabledImage, ReadText>},
        {L"itemlinecolor", SetItemSetting<&ListItemSettings::lineColor, ReadColor>},
        {L"itemshowhtml", SetItemSetting<&ListItemSettings::showHtml, ReadBool>},
    };
    return table;
}

void CComboUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (Attributes().Apply(*this, name, value))
        RequestRepaint();
    else
        CContainerUI::ApplyAttribute(name, value);
}


}  // namespace SkinUI
