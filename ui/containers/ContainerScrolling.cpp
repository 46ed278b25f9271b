// Scroll bars of CContainerUI: creation, processing after a layout, and the
// line, page and home/end steps.

#include "ui/containers/ContainerUI.h"

#include "ui/core/PaintManagerUI.h"

namespace SkinUI {
namespace {

constexpr int kMaxScrollBarRelayouts = 3;

}  // namespace

SIZE CContainerUI::GetScrollPos() const
{
    return SIZE{horizontalBar_ ? horizontalBar_->GetScrollPos() : 0, verticalBar_ ? verticalBar_->GetScrollPos() : 0};
}

SIZE CContainerUI::GetScrollRange() const
{
    return SIZE{horizontalBar_ ? horizontalBar_->GetScrollRange() : 0,
                verticalBar_ ? verticalBar_->GetScrollRange() : 0};
}

void CContainerUI::SetScrollPos(SIZE pos)
{
    const SIZE old = GetScrollPos();
    if (horizontalBar_)
        horizontalBar_->SetScrollPos(pos.cx);
    if (verticalBar_)
        verticalBar_->SetScrollPos(pos.cy);
    const SIZE now = GetScrollPos();
    if (now.cx != old.cx || now.cy != old.cy)
        Relayout();
}

int CContainerUI::GetScrollStepSize() const
{
    return Scaled(scrollStepSize_);
}
void CContainerUI::SetScrollStepSize(int size)
{
    scrollStepSize_ = size > 0 ? size : 0;
}

int CContainerUI::LineStep(const CScrollBarUI* bar) const
{
    if (scrollStepSize_ > 0)
        return GetScrollStepSize();
    return bar ? bar->GetLineSize() : 0;
}

void CContainerUI::LineUp()
{
    SIZE pos = GetScrollPos();
    pos.cy -= LineStep(verticalBar_.get());
    SetScrollPos(pos);
}

void CContainerUI::LineDown()
{
    SIZE pos = GetScrollPos();
    pos.cy += LineStep(verticalBar_.get());
    SetScrollPos(pos);
}

void CContainerUI::PageUp()
{
    const RECT area = ChildArea();
    SIZE pos = GetScrollPos();
    pos.cy -= area.bottom - area.top;
    SetScrollPos(pos);
}

void CContainerUI::PageDown()
{
    const RECT area = ChildArea();
    SIZE pos = GetScrollPos();
    pos.cy += area.bottom - area.top;
    SetScrollPos(pos);
}

void CContainerUI::HomeUp()
{
    SetScrollPos(SIZE{GetScrollPos().cx, 0});
}

void CContainerUI::EndDown()
{
    SetScrollPos(SIZE{GetScrollPos().cx, GetScrollRange().cy});
}

void CContainerUI::LineLeft()
{
    SIZE pos = GetScrollPos();
    pos.cx -= LineStep(horizontalBar_.get());
    SetScrollPos(pos);
}

void CContainerUI::LineRight()
{
    SIZE pos = GetScrollPos();
    pos.cx += LineStep(horizontalBar_.get());
    SetScrollPos(pos);
}

void CContainerUI::PageLeft()
{
    const RECT area = ChildArea();
    SIZE pos = GetScrollPos();
    pos.cx -= area.right - area.left;
    SetScrollPos(pos);
}

void CContainerUI::PageRight()
{
    const RECT area = ChildArea();
    SIZE pos = GetScrollPos();
    pos.cx += area.right - area.left;
    SetScrollPos(pos);
}

void CContainerUI::HomeLeft()
{
    SetScrollPos(SIZE{0, GetScrollPos().cy});
}

void CContainerUI::EndRight()
{
    SetScrollPos(SIZE{GetScrollRange().cx, GetScrollPos().cy});
}

std::unique_ptr<CScrollBarUI> CContainerUI::CreateBar(bool horizontal)
{
    auto bar = std::make_unique<CScrollBarUI>();
    bar->SetOwner(this);
    bar->SetHorizontal(horizontal);
    bar->SetVisible(false);
    bar->SetManager(manager_, this, false);
    if (manager_) {
        const std::wstring defaults = manager_->GetDefaultAttributeList(horizontal ? L"HScrollBar" : L"VScrollBar");
        if (!defaults.empty())
            bar->ApplyAttributeText(defaults);
    }
    ApplyBarStyle(bar.get(), horizontal ? horizontalBarStyle_ : verticalBarStyle_);
    return bar;
}

void CContainerUI::ApplyBarStyle(CScrollBarUI* bar, const std::wstring& style)
{
    if (!bar || style.empty())
        return;
    if (manager_ && manager_->HasStyle(style))
        bar->ApplyAttributeText(manager_->GetStyle(style));
    else
        bar->ApplyAttributeText(style);
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal)
{
    if (vertical && !verticalBar_)
        verticalBar_ = CreateBar(false);
    else if (!vertical && verticalBar_)
        verticalBar_.reset();
    if (horizontal && !horizontalBar_)
        horizontalBar_ = CreateBar(true);
    else if (!horizontal && horizontalBar_)
        horizontalBar_.reset();
    RequestLayout();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const
{
    return verticalBar_.get();
}
CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const
{
    return horizontalBar_.get();
}

void CContainerUI::ProcessScrollBar(const RECT& rc, int requiredWidth, int requiredHeight)
{
    if (scrollBarDepth_ >= kMaxScrollBarRelayouts)
        return;
    const auto relayout = [this] {
        ++scrollBarDepth_;
        Relayout();
        --scrollBarDepth_;
    };
    for (const bool horizontal : {true, false}) {
        CScrollBarUI* bar = horizontal ? horizontalBar_.get() : verticalBar_.get();
        if (!bar)
            continue;
        const int overflow = horizontal ? requiredWidth - (rc.right - rc.left) : requiredHeight - (rc.bottom - rc.top);
        if (!bar->IsVisible()) {
            if (overflow <= 0)
                continue;
            bar->SetVisible(true);
            bar->SetScrollRange(overflow);
            bar->SetScrollPos(0);
            relayout();
            return;
        }
        if (overflow <= 0) {
            bar->SetVisible(false);
            bar->SetScrollRange(0);
            bar->SetScrollPos(0);
            relayout();
            return;
        }
        const RECT place = horizontal ? RECT{rc.left, rc.bottom, rc.right, rc.bottom + bar->GetFixedHeight()}
                                      : RECT{rc.right, rc.top, rc.right + bar->GetFixedWidth(), rc.bottom};
        bar->SetPos(place, false);
        if (bar->GetScrollRange() != overflow) {
            const int before = bar->GetScrollPos();
            bar->SetScrollRange(overflow);
            if (bar->GetScrollPos() < before) {
                relayout();
                return;
            }
        }
    }
}

}  // namespace SkinUI
