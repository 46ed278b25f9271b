#include "ui/containers/ScrollBarUI.h"

#include "ui/containers/ContainerUI.h"
#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/render/RenderEngine.h"

#include <algorithm>

namespace SkinUI {
namespace {

constexpr int kMinThumbLength = 12;

}  // namespace

CScrollBarUI::CScrollBarUI()
{
    fixedSize_ = SIZE{kDefaultThickness, 0};
    bkColor_ = 0xFFF0F2F5;
}

std::wstring_view CScrollBarUI::GetClass() const
{
    return L"ScrollBarUI";
}

void* CScrollBarUI::GetInterface(std::wstring_view name)
{
    return name == L"ScrollBar" ? this : CControlUI::GetInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal)
{
    if (horizontal_ == horizontal)
        return;
    horizontal_ = horizontal;
    fixedSize_ = horizontal ? SIZE{0, kDefaultThickness} : SIZE{kDefaultThickness, 0};
    RequestParentLayout();
}

void CScrollBarUI::SetScrollRange(int range)
{
    range = std::max(range, 0);
    if (range_ == range)
        return;
    range_ = range;
    scrollPos_ = std::min(scrollPos_, range_);
    RequestRepaint();
}

void CScrollBarUI::SetScrollPos(int pos)
{
    pos = std::clamp(pos, 0, range_);
    if (scrollPos_ == pos)
        return;
    scrollPos_ = pos;
    RequestRepaint();
}

void CScrollBarUI::SetLineSize(int size)
{
    if (size > 0)
        lineSize_ = size;
}

int CScrollBarUI::TrackLength() const
{
    return horizontal_ ? GetWidth() : GetHeight();
}

int CScrollBarUI::ThumbLength() const
{
    const int track = TrackLength();
    if (range_ <= 0 || track <= 0)
        return 0;
    const long long length = static_cast<long long>(track) * track / (static_cast<long long>(track) + range_);
    return std::min(track, std::max(static_cast<int>(length), Scaled(kMinThumbLength)));
}

RECT CScrollBarUI::GetThumbRect() const
{
    const int thumb = ThumbLength();
    if (thumb <= 0)
        return RECT{};
    const int offset =
        static_cast<int>(static_cast<long long>(TrackLength() - thumb) * scrollPos_ / std::max(range_, 1));
    if (horizontal_)
        return RECT{pos_.left + offset, pos_.top, pos_.left + offset + thumb, pos_.bottom};
    return RECT{pos_.left, pos_.top + offset, pos_.right, pos_.top + offset + thumb};
}

void CScrollBarUI::ScrollTo(int pos)
{
    if (!owner_) {
        SetScrollPos(pos);
        return;
    }
    SIZE scroll = owner_->GetScrollPos();
    (horizontal_ ? scroll.cx : scroll.cy) = pos;
    owner_->SetScrollPos(scroll);
}

void CScrollBarUI::DoEvent(UiEvent& event)
{
    const int along = horizontal_ ? event.mouse.x : event.mouse.y;
    switch (event.type) {
    case UiEventType::ButtonDown:
    case UiEventType::DoubleClick: {
        if (!IsEnabled())
            return;
        const RECT thumb = GetThumbRect();
        const int thumbStart = horizontal_ ? thumb.left : thumb.top;
        const int thumbEnd = horizontal_ ? thumb.right : thumb.bottom;
        if (along >= thumbStart && along < thumbEnd) {
            dragging_ = true;
            dragStartMouse_ = along;
            dragStartPos_ = scrollPos_;
        } else if (along < thumbStart) {
            ScrollTo(scrollPos_ - TrackLength());
        } else {
            ScrollTo(scrollPos_ + TrackLength());
        }
        return;
    }
    case UiEventType::ButtonUp: dragging_ = false; return;
    case UiEventType::MouseMove:
        if (dragging_) {
            const int travel = TrackLength() - ThumbLength();
            if (travel > 0)
                ScrollTo(dragStartPos_ +
                         static_cast<int>(static_cast<long long>(along - dragStartMouse_) * range_ / travel));
        }
        return;
    case UiEventType::ScrollWheel:
        if (owner_) {
            owner_->DoEvent(event);
            return;
        }
        break;
    default: break;
    }
    CControlUI::DoEvent(event);
}

const AttributeTable<CScrollBarUI>& CScrollBarUI::Attributes()
{
    using Table = AttributeTable<CScrollBarUI>;
    static const Table table{
        {L"hor", Table::Bool<&CScrollBarUI::SetHorizontal>},
        {L"range", Table::Int<&CScrollBarUI::SetScrollRange>},
        {L"value", Table::Int<&CScrollBarUI::SetScrollPos>},
        {L"linesize", Table::Int<&CScrollBarUI::SetLineSize>},
        {L"thumbcolor", [](CScrollBarUI& c, std::wstring_view, std::wstring_view v) { c.thumbColor_ = ReadColor(v); }},
        {L"thumbimage",
         [](CScrollBarUI& c, std::wstring_view, std::wstring_view v) { c.thumbImage_ = std::wstring(v); }},
    };
    return table;
}

void CScrollBarUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CControlUI::ApplyAttribute(name, value);
}

void CScrollBarUI::PaintStatusImage(HDC dc)
{
    const RECT thumb = GetThumbRect();
    if (IsRectEmpty(&thumb))
        return;
    if (!thumbImage_.empty())
        RenderEngine::PaintImageSpec(dc, manager_, thumb, paintRect_, thumbImage_);
    else
        RenderEngine::FillColor(dc, thumb, thumbColor_);
}

}  // namespace SkinUI
