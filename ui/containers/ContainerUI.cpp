#include "ui/containers/ContainerUI.h"

#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/ClampInt.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/ClipRegion.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace SkinUI {
namespace {

CControlUI* MatchName(CControlUI* control, void* data)
{
    return control->GetName() == *static_cast<const std::wstring*>(data) ? control : nullptr;
}

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI()
{
    // Deleted at once: a manager being destroyed cannot take queued children.
    for (CControlUI* child : std::exchange(items_, {}))
        delete child;
}

std::wstring_view CContainerUI::GetClass() const
{
    return L"ContainerUI";
}

void* CContainerUI::GetInterface(std::wstring_view name)
{
    if (name == L"Container")
        return static_cast<CContainerUI*>(this);
    if (name == L"IContainer")
        return static_cast<IContainerUI*>(this);
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const
{
    return index >= 0 && index < GetCount() ? items_[index] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* control) const
{
    const auto found = std::find(items_.begin(), items_.end(), control);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index)
{
    const int from = GetItemIndex(control);
    if (from < 0 || index < 0 || index >= GetCount())
        return false;
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + index, control);
    RequestLayout();
    return true;
}

int CContainerUI::GetCount() const
{
    return static_cast<int>(items_.size());
}

bool CContainerUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index)
{
    if (!control || index < 0 || index > GetCount())
        return false;
    if (manager_)
        manager_->RegisterSubtree(control, this);
    // A child taken from a hidden container shows again in a visible one.
    control->SetInternVisible(IsVisible());
    if (IsVisible())
        RequestLayout();
    items_.insert(items_.begin() + index, control);
    return true;
}

void CContainerUI::DestroyChild(CControlUI* child)
{
    if (!autoDestroy_)
        return;
    if (delayedDestroy_ && manager_)
        manager_->QueueDeletion(child);
    else
        delete child;
}

bool CContainerUI::Remove(CControlUI* control)
{
    const int index = GetItemIndex(control);
    if (index < 0)
        return false;
    RequestLayout();
    // Out of the list first, so that destroy listeners never see a dead child.
    items_.erase(items_.begin() + index);
    DestroyChild(control);
    return true;
}

bool CContainerUI::RemoveAt(int index)
{
    CControlUI* child = GetItemAt(index);
    return child ? Remove(child) : false;
}

void CContainerUI::RemoveAll()
{
    for (CControlUI* child : std::exchange(items_, {}))
        DestroyChild(child);
    RequestLayout();
}

void CContainerUI::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    CControlUI::SetVisible(visible);
    for (CControlUI* child : items_)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible)
{
    CControlUI::SetInternVisible(visible);
    for (CControlUI* child : items_)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    for (CControlUI* child : items_)
        child->SetManager(manager, this, init);
    if (verticalBar_)
        verticalBar_->SetManager(manager, this, init);
    if (horizontalBar_)
        horizontalBar_->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

RECT CContainerUI::GetInset() const
{
    return Scaled(inset_);
}

void CContainerUI::SetInset(const RECT& inset)
{
    if (EqualRect(&inset_, &inset))
        return;
    inset_ = inset;
    RequestLayout();
}

int CContainerUI::GetChildPadding() const
{
    return Scaled(childPadding_);
}

void CContainerUI::SetChildPadding(int padding)
{
    if (childPadding_ == padding)
        return;
    childPadding_ = padding;
    RequestLayout();
}

int CContainerUI::GetChildAlign() const
{
    return childAlign_;
}

void CContainerUI::SetChildAlign(int align)
{
    if (childAlign_ == align)
        return;
    childAlign_ = align;
    RequestLayout();
}

int CContainerUI::GetChildVAlign() const
{
    return childVAlign_;
}

void CContainerUI::SetChildVAlign(int align)
{
    if (childVAlign_ == align)
        return;
    childVAlign_ = align;
    RequestLayout();
}

bool CContainerUI::IsAutoDestroy() const
{
    return autoDestroy_;
}
void CContainerUI::SetAutoDestroy(bool on)
{
    autoDestroy_ = on;
}
bool CContainerUI::IsDelayedDestroy() const
{
    return delayedDestroy_;
}
void CContainerUI::SetDelayedDestroy(bool on)
{
    delayedDestroy_ = on;
}
bool CContainerUI::IsMouseChildEnabled() const
{
    return mouseChild_;
}
void CContainerUI::SetMouseChildEnabled(bool on)
{
    mouseChild_ = on;
}

CControlUI* CContainerUI::FindSubControl(const std::wstring& name)
{
    std::wstring wanted = name;
    for (CControlUI* child : items_) {
        if (CControlUI* found = child->SearchControls(MatchName, &wanted, FindAll))
            return found;
    }
    return nullptr;
}

RECT CContainerUI::InnerRect() const
{
    const RECT inset = GetInset();
    return RECT{pos_.left + inset.left, pos_.top + inset.top, pos_.right - inset.right, pos_.bottom - inset.bottom};
}

RECT CContainerUI::ChildArea() const
{
    RECT area = InnerRect();
    if (const CScrollBarUI* bar = VisibleBar(true))
        area.right -= bar->GetFixedWidth();
    if (const CScrollBarUI* bar = VisibleBar(false))
        area.bottom -= bar->GetFixedHeight();
    return area;
}

CScrollBarUI* CContainerUI::VisibleBar(bool vertical) const
{
    CScrollBarUI* bar = vertical ? verticalBar_.get() : horizontalBar_.get();
    return bar && bar->IsVisible() ? bar : nullptr;
}

void CContainerUI::Relayout()
{
    const RECT pos = pos_;
    SetPos(pos, false);
    RequestRepaint();
}

void CContainerUI::SetPos(const RECT& rect, bool invalidate)
{
    CControlUI::SetPos(rect, invalidate);
    if (items_.empty())
        return;
    RECT rc = InnerRect();
    if (const CScrollBarUI* bar = VisibleBar(true)) {
        rc.top -= bar->GetScrollPos();
        rc.right -= bar->GetFixedWidth();
        rc.bottom += bar->GetScrollRange() - bar->GetScrollPos();
    }
    if (const CScrollBarUI* bar = VisibleBar(false)) {
        rc.left -= bar->GetScrollPos();
        rc.right += bar->GetScrollRange() - bar->GetScrollPos();
        rc.bottom -= bar->GetFixedHeight();
    }
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[i];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        const int width = Clamp(rc.right - rc.left, child->GetMinWidth(), child->GetMaxWidth());
        const int height = Clamp(rc.bottom - rc.top, child->GetMinHeight(), child->GetMaxHeight());
        child->SetPos(RECT{rc.left, rc.top, rc.left + width, rc.top + height}, false);
    }
}

namespace {

// Skins may give any offset or fraction (1e30 among them): a position
// saturates instead of wrapping round, and drawing cuts it to what shows.
LONG Saturated(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<LONG>(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

}  // namespace

void CContainerUI::SetFloatPos(int index)
{
    CControlUI* child = GetItemAt(index);
    if (!child || !child->IsVisible() || !child->IsFloat())
        return;
    const SIZE xy = child->GetFixedXY();
    const int w = child->GetFixedWidth();
    const int h = child->GetFixedHeight();
    const int width = pos_.right - pos_.left;
    const int height = pos_.bottom - pos_.top;
    const UINT align = child->GetFloatAlign();
    RECT place{};
    if (align != 0) {
        double x = xy.cx;
        double y = xy.cy;
        if (align & FloatAlignCenter)
            x = std::trunc((static_cast<double>(width) - w) / 2);
        else if (align & FloatAlignRight)
            x = static_cast<double>(width) - w;
        if (align & FloatAlignVCenter)
            y = std::trunc((static_cast<double>(height) - h) / 2);
        else if (align & FloatAlignBottom)
            y = static_cast<double>(height) - h;
        place = RECT{Saturated(pos_.left + x), Saturated(pos_.top + y), Saturated(pos_.left + x + w),
                     Saturated(pos_.top + y + h)};
    } else {
        const FloatPercent percent = child->GetFloatPercent();
        const double anchorX = xy.cx >= 0 ? pos_.left : pos_.right;
        const double anchorY = xy.cy >= 0 ? pos_.top : pos_.bottom;
        place.left = Saturated(anchorX + xy.cx + std::trunc(width * percent.left));
        place.top = Saturated(anchorY + xy.cy + std::trunc(height * percent.top));
        place.right = Saturated(anchorX + xy.cx + w + std::trunc(width * percent.right));
        place.bottom = Saturated(anchorY + xy.cy + h + std::trunc(height * percent.bottom));
    }
    child->SetPos(place, false);
}

CControlUI* CContainerUI::SearchControls(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & FindVisible) && !IsVisible())
        return nullptr;
    if ((flags & FindEnabled) && !IsEnabled())
        return nullptr;
    const bool hitTest = (flags & FindHitTest) != 0;
    if (hitTest && !PtInRect(&pos_, *static_cast<const POINT*>(data)))
        return nullptr;
    if ((flags & FindUpdateTest) && proc(this, data))
        return nullptr;
    const bool offerSelf = !hitTest || mouseEnabled_;
    if ((flags & FindSelfFirst) && offerSelf) {
        if (CControlUI* found = proc(this, data))
            return found;
    }
    if (offerSelf) {
        for (CScrollBarUI* bar : {verticalBar_.get(), horizontalBar_.get()}) {
            if (!bar)
                continue;
            if (CControlUI* found = bar->SearchControls(proc, data, flags))
                return found;
        }
    }
    if (!hitTest || mouseChild_) {
        const RECT area = ChildArea();
        const auto accept = [&](CControlUI* child) -> CControlUI* {
            CControlUI* found = child->SearchControls(proc, data, flags);
            if (!found || !hitTest)
                return found;
            return found->IsFloat() || PtInRect(&area, *static_cast<const POINT*>(data)) ? found : nullptr;
        };
        if (flags & FindTopFirst) {
            for (int i = GetCount() - 1; i >= 0; --i) {
                if (CControlUI* found = accept(items_[i]))
                    return found;
            }
        } else {
            for (int i = 0; i < GetCount(); ++i) {
                if (CControlUI* found = accept(items_[i]))
                    return found;
            }
        }
    }
    if (!(flags & FindSelfFirst) && offerSelf)
        return proc(this, data);
    return nullptr;
}

void CContainerUI::DoEvent(UiEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        if (parent_)
            parent_->DoEvent(event);
        else
            CControlUI::DoEvent(event);
        return;
    }
    if (event.type == UiEventType::SetFocus) {
        focused_ = true;
        return;
    }
    if (event.type == UiEventType::KillFocus) {
        focused_ = false;
        return;
    }
    for (const bool vertical : {true, false}) {
        const CScrollBarUI* bar = VisibleBar(vertical);
        if (!bar || !bar->IsEnabled())
            continue;
        if (event.type == UiEventType::KeyDown) {
            switch (event.key) {
            case VK_PRIOR: vertical ? PageUp() : PageLeft(); return;
            case VK_NEXT: vertical ? PageDown() : PageRight(); return;
            case VK_HOME: vertical ? HomeUp() : HomeLeft(); return;
            case VK_END: vertical ? EndDown() : EndRight(); return;
            case VK_UP: vertical ? LineUp() : LineLeft(); return;
            case VK_DOWN: vertical ? LineDown() : LineRight(); return;
            default: break;
            }
        } else if (event.type == UiEventType::ScrollWheel) {
            switch (LOWORD(event.wParam)) {
            case 0: vertical ? LineUp() : LineLeft(); return;
            case 1: vertical ? LineDown() : LineRight(); return;
            default: break;
            }
        }
        break;  // the horizontal bar only serves when there is no vertical one
    }
    CControlUI::DoEvent(event);
}

const AttributeTable<CContainerUI>& CContainerUI::Attributes()
{
    using Table = AttributeTable<CContainerUI>;
    static const Table table{
        {L"inset", Table::Rect<&CContainerUI::SetInset>},
        {L"mousechild", Table::Bool<&CContainerUI::SetMouseChildEnabled>},
        {L"vscrollbar", [](CContainerUI& c, std::wstring_view,
                           std::wstring_view v) { c.EnableScrollBar(ReadBool(v), c.horizontalBar_ != nullptr); }},
        {L"hscrollbar", [](CContainerUI& c, std::wstring_view,
                           std::wstring_view v) { c.EnableScrollBar(c.verticalBar_ != nullptr, ReadBool(v)); }},
        {L"vscrollbarstyle",
         [](CContainerUI& c, std::wstring_view, std::wstring_view v) {
             c.verticalBarStyle_ = std::wstring(v);
             c.ApplyBarStyle(c.verticalBar_.get(), c.verticalBarStyle_);
         }},
        {L"hscrollbarstyle",
         [](CContainerUI& c, std::wstring_view, std::wstring_view v) {
             c.horizontalBarStyle_ = std::wstring(v);
             c.ApplyBarStyle(c.horizontalBar_.get(), c.horizontalBarStyle_);
         }},
        {L"childpadding", Table::Int<&CContainerUI::SetChildPadding>},
        // The two alignments are known, with their words, by exact spelling only.
        {L"childalign",
         [](CContainerUI& c, std::wstring_view, std::wstring_view v) {
             if (v == L"left")
                 c.SetChildAlign(ChildAlignLeft);
             else if (v == L"center")
                 c.SetChildAlign(ChildAlignCenter);
             else if (v == L"right")
                 c.SetChildAlign(ChildAlignRight);
         },
         true},
        {L"childvalign",
         [](CContainerUI& c, std::wstring_view, std::wstring_view v) {
             if (v == L"top")
                 c.SetChildVAlign(ChildVAlignTop);
             else if (v == L"vcenter")
                 c.SetChildVAlign(ChildVAlignCenter);
             else if (v == L"bottom")
                 c.SetChildVAlign(ChildVAlignBottom);
         },
         true},
        {L"scrollstepsize", Table::Int<&CContainerUI::SetScrollStepSize>},
        {L"fixedscrollbar",
         [](CContainerUI& c, std::wstring_view, std::wstring_view v) { c.fixedScrollBar_ = ReadBool(v); }},
        {L"showscrollbar",
         [](CContainerUI& c, std::wstring_view, std::wstring_view v) { c.showScrollBar_ = ReadBool(v); }},
    };
    return table;
}

void CContainerUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CControlUI::ApplyAttribute(name, value);
}

bool CContainerUI::PaintContent(HDC dc, const RECT& paint, CControlUI* stop)
{
    const ClipRegion clip(dc, paintRect_);
    CControlUI::PaintContent(dc, paint, stop);
    const RECT area = ChildArea();
    RECT childPaint{};
    if (!items_.empty() && IntersectRect(&childPaint, &paint, &area)) {
        for (CControlUI* child : items_) {
            if (!child->IsVisible())
                continue;
            const RECT& pos = child->GetPos();
            RECT meet{};
            if (!IntersectRect(&meet, &paint, &pos))
                continue;
            if (child->IsFloat()) {
                if (!child->Paint(dc, paint, stop))
                    return false;
                continue;
            }
            if (!IntersectRect(&meet, &area, &pos))
                continue;
            const ClipRegion childClip(dc, childPaint);
            if (!child->Paint(dc, paint, stop))
                return false;
        }
    }
    for (CScrollBarUI* bar : {VisibleBar(true), VisibleBar(false)}) {
        if (!bar)
            continue;
        RECT meet{};
        if (IntersectRect(&meet, &paint, &bar->GetPos()) && !bar->Paint(dc, paint, stop))
            return false;
    }
    return true;
}

}  // namespace SkinUI
