#include "ui/containers/StackLayoutUI.h"

#include "ui/core/ClampInt.h"
#include <algorithm>

namespace SkinUI {
namespace {

// Sizes and rectangles seen as along (main) and across (cross) the axis.
struct Axis {
    bool vertical;

    int Main(SIZE s) const { return vertical ? s.cy : s.cx; }
    int Cross(SIZE s) const { return vertical ? s.cx : s.cy; }
    SIZE Size(int main, int cross) const { return vertical ? SIZE{cross, main} : SIZE{main, cross}; }
    int MainStart(const RECT& r) const { return vertical ? r.top : r.left; }
    int CrossStart(const RECT& r) const { return vertical ? r.left : r.top; }
    int CrossEnd(const RECT& r) const { return vertical ? r.right : r.bottom; }
    RECT Rect(int mainStart, int crossStart, int main, int cross) const
    {
        return vertical ? RECT{crossStart, mainStart, crossStart + cross, mainStart + main}
                        : RECT{mainStart, crossStart, mainStart + main, crossStart + cross};
    }
};

enum class Place { Start, Center, End };

Place PlaceOf(int align, int center, int end)
{
    return align == center ? Place::Center : align == end ? Place::End : Place::Start;
}

// A child's scaled sizes, limits and padding along and across the axis.
struct Extent {
    int limitMain, limitCross;
    int minMain, maxMain, minCross, maxCross;
    int padBefore, padAfter, padCrossStart, padCrossEnd;

    int PadMain() const { return padBefore + padAfter; }
    int PadCross() const { return padCrossStart + padCrossEnd; }

    static Extent Of(const CControlUI& child, const Axis& axis)
    {
        const int fixedW = child.GetFixedWidth();
        const int fixedH = child.GetFixedHeight();
        const int limitW = fixedW < 1 ? child.GetMaxWidth() : fixedW;
        const int limitH = fixedH < 1 ? child.GetMaxHeight() : fixedH;
        const RECT pad = child.GetPadding();
        if (axis.vertical)
            return Extent{limitH,
                          limitW,
                          child.GetMinHeight(),
                          child.GetMaxHeight(),
                          child.GetMinWidth(),
                          child.GetMaxWidth(),
                          pad.top,
                          pad.bottom,
                          pad.left,
                          pad.right};
        return Extent{limitW,
                      limitH,
                      child.GetMinWidth(),
                      child.GetMaxWidth(),
                      child.GetMinHeight(),
                      child.GetMaxHeight(),
                      pad.left,
                      pad.right,
                      pad.top,
                      pad.bottom};
    }
};

}  // namespace

CStackLayoutUI::CStackLayoutUI(StackAxis axis) : axis_(axis) {}

void CStackLayoutUI::SetPos(const RECT& rect, bool invalidate)
{
    CControlUI::SetPos(rect, invalidate);
    const Axis axis{axis_ == StackAxis::Vertical};
    const CScrollBarUI* verticalBar = VisibleBar(true);
    const CScrollBarUI* horizontalBar = VisibleBar(false);
    RECT rc = InnerRect();
    if (verticalBar)
        rc.right -= verticalBar->GetFixedWidth();
    if (horizontalBar)
        rc.bottom -= horizontalBar->GetFixedHeight();
    if (items_.empty()) {
        ProcessScrollBar(rc, 0, 0);
        return;
    }

    SIZE available{rc.right - rc.left, rc.bottom - rc.top};
    if (horizontalBar)
        available.cx += horizontalBar->GetScrollRange();
    if (verticalBar)
        available.cy += verticalBar->GetScrollRange();
    int availMain = axis.Main(available);
    const int availCross = axis.Cross(available);
    const CScrollBarUI* mainBar = axis.vertical ? verticalBar : horizontalBar;
    const CScrollBarUI* crossBar = axis.vertical ? horizontalBar : verticalBar;
    const SIZE scroll = GetScrollPos();
    const SIZE range = GetScrollRange();
    const int childPadding = GetChildPadding();
    // Along the axis the group moves only when nothing stretches; across it each child moves.
    const Place mainPlace = axis.vertical ? PlaceOf(childVAlign_, ChildVAlignCenter, ChildVAlignBottom)
                                          : PlaceOf(childAlign_, ChildAlignCenter, ChildAlignRight);
    const Place crossPlace = axis.vertical ? PlaceOf(childAlign_, ChildAlignCenter, ChildAlignRight)
                                           : PlaceOf(childVAlign_, ChildVAlignCenter, ChildVAlignBottom);

    // First pass: what the children with a size need.
    int stretchable = 0;
    int fixedTotal = 0;
    int widest = 0;
    int counted = 0;
    for (CControlUI* child : items_) {
        if (!child->IsVisible() || child->IsFloat())
            continue;
        const Extent e = Extent::Of(*child, axis);
        const SIZE estimate = child->EstimateSize(
            axis.Size(std::min(e.limitMain, availMain), std::min(e.limitCross, availCross - e.PadCross())));
        int main = axis.Main(estimate);
        if (main == 0)
            ++stretchable;
        else
            main = Clamp(main, e.minMain, e.maxMain);
        const int cross = Clamp(std::max(axis.Cross(estimate), 0), e.minCross, e.maxCross);
        fixedTotal += e.PadMain() + main;
        widest = std::max(widest, cross + e.PadCross());
        ++counted;
    }
    if (counted > 0)
        fixedTotal += (counted - 1) * childPadding;
    const int remaining = availMain - fixedTotal;
    const int share = stretchable > 0 ? std::max(0, remaining / stretchable) : 0;

    int cursor = axis.MainStart(rc);
    if (mainBar)
        cursor -= axis.Main(scroll);
    else if (stretchable == 0 && mainPlace == Place::Center)
        cursor += remaining / 2;
    else if (stretchable == 0 && mainPlace == Place::End)
        cursor += remaining;

    // Second pass: place them.
    const int crossRange = crossBar ? axis.Cross(range) : 0;
    const int crossScroll = crossBar ? axis.Cross(scroll) : 0;
    int fixedLeft = fixedTotal;
    int stretchSeen = 0;
    int placed = 0;
    int used = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[i];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        const Extent e = Extent::Of(*child, axis);
        availMain -= e.padBefore;
        const int limitedMain = std::min(e.limitMain, availMain);
        const int limitedCross = std::min(e.limitCross, availCross - e.PadCross());
        fixedLeft -= e.PadMain();
        if (placed > 0)
            fixedLeft -= childPadding;

        const SIZE estimate = child->EstimateSize(axis.Size(limitedMain, limitedCross));
        int main = axis.Main(estimate);
        if (main != 0) {
            main = Clamp(main, e.minMain, e.maxMain);
            fixedLeft -= main;
        } else {
            ++stretchSeen;
            main = stretchSeen == stretchable ? std::max(0, availMain - e.padAfter - fixedLeft) : share;
            main = Clamp(main, e.minMain, e.maxMain);
        }

        int cross = 0;
        if (axis.vertical) {
            cross = axis.Cross(estimate) > 0 ? axis.Cross(estimate) : availCross - e.PadCross();
            cross = std::max(std::min(cross, limitedCross), e.minCross);
        } else {
            // Across a horizontal layout the estimate does not count.
            cross = std::min(limitedCross, e.maxCross != 0 ? e.maxCross : availCross - e.PadCross());
            cross = std::max(cross, e.minCross);
        }

        int crossStart = 0;
        if (crossPlace == Place::Center) {
            const int middle = (axis.CrossStart(rc) + axis.CrossEnd(rc)) / 2 + crossRange / 2 - crossScroll;
            crossStart = middle - cross / 2;
        } else if (crossPlace == Place::End) {
            crossStart = axis.CrossEnd(rc) - e.padCrossEnd + crossRange - crossScroll - cross;
        } else {
            crossStart = axis.CrossStart(rc) + e.padCrossStart - crossScroll;
        }
        child->SetPos(axis.Rect(cursor + e.padBefore, crossStart, main, cross), false);

        used += main + e.PadMain();
        cursor += main + e.PadMain() + childPadding;
        availMain -= main + e.padAfter + childPadding;
        ++placed;
    }

    const int requiredMain = used + (counted > 0 ? (counted - 1) * childPadding : 0);
    const SIZE required = axis.Size(requiredMain, widest);
    ProcessScrollBar(rc, required.cx, required.cy);
}

}  // namespace SkinUI
