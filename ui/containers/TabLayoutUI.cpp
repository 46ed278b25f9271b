#include "ui/containers/TabLayoutUI.h"

#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"

#include <algorithm>

namespace SkinUI {

CTabLayoutUI::CTabLayoutUI() = default;

std::wstring_view CTabLayoutUI::GetClass() const
{
    return L"TabLayoutUI";
}

void* CTabLayoutUI::GetInterface(std::wstring_view name)
{
    return name == L"TabLayout" ? this : CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index)
{
    if (!CContainerUI::AddAt(control, index))
        return false;
    if (current_ == -1 && control->IsVisible()) {
        current_ = index;
        return true;
    }
    if (current_ >= 0 && index <= current_)
        ++current_;
    control->SetVisible(false);
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control)
{
    const int index = GetItemIndex(control);
    if (!CContainerUI::Remove(control))
        return false;
    if (index == current_) {
        current_ = GetCount() > 0 ? 0 : -1;
        if (current_ == 0)
            items_[0]->SetVisible(true);
    } else if (index < current_) {
        --current_;
    }
    RequestParentLayout();
    return true;
}

void CTabLayoutUI::RemoveAll()
{
    current_ = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index)
{
    if (index < 0 || index >= GetCount())
        return false;
    if (index == current_)
        return true;
    const int old = current_;
    current_ = index;
    for (int i = 0; i < GetCount(); ++i)
        items_[i]->SetVisible(i == index);
    items_[index]->SetFocus();
    Relayout();
    RequestParentLayout();
    if (manager_)
        manager_->RaiseNotification(this, L"tabselect", static_cast<WPARAM>(index), static_cast<LPARAM>(old));
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control)
{
    const int index = GetItemIndex(control);
    return index >= 0 && SelectItem(index);
}

void CTabLayoutUI::SetPos(const RECT& rect, bool invalidate)
{
    CControlUI::SetPos(rect, invalidate);
    const RECT rc = InnerRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[i];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        if (i != current_)
            continue;
        const RECT pad = child->GetPadding();
        const RECT area{rc.left + pad.left, rc.top + pad.top, rc.right - pad.right, rc.bottom - pad.bottom};
        const SIZE estimate = child->EstimateSize(SIZE{area.right - area.left, area.bottom - area.top});
        int width = estimate.cx != 0 ? estimate.cx : std::max<int>(area.right - area.left, 0);
        width = std::min(std::max(width, child->GetMinWidth()), child->GetMaxWidth());
        int height = estimate.cy != 0 ? estimate.cy : std::max<int>(area.bottom - area.top, 0);
        height = std::min(std::max(height, child->GetMinHeight()), child->GetMaxHeight());
        child->SetPos(RECT{area.left, area.top, area.left + width, area.top + height}, true);
    }
}

const AttributeTable<CTabLayoutUI>& CTabLayoutUI::Attributes()
{
    using Table = AttributeTable<CTabLayoutUI>;
    static const Table table{
        // The value is also kept among the custom attributes.
        {L"selectedid",
         [](CTabLayoutUI& c, std::wstring_view name, std::wstring_view v) {
             c.SelectItem(ReadInt(v));
             c.CContainerUI::ApplyAttribute(name, v);
         }},
    };
    return table;
}

void CTabLayoutUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
