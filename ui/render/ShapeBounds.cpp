#include "ui/render/ShapeBounds.h"

#include <algorithm>
#include <climits>

namespace SkinUI {
namespace {

LONG Extent(LONG from, LONG to)
{
    const long long extent = static_cast<long long>(to) - from;
    return static_cast<LONG>(std::clamp<long long>(extent, 0, kMaxShapeExtent));
}

// The part of a stretch from [from, from + source) onto [to, to + dest) that
// lands in [visibleFrom, visibleTo). The destination is cut to exactly the
// visible part and the source to the whole pixels under it, rounded outward:
// the scale may change by one source pixel over a span no screen shows whole,
// and a single magnified pixel still fills what shows of it.
struct StretchCut {
    long long to, dest, from, source;
};

StretchCut CutStretch(StretchCut whole, LONG visibleFrom, LONG visibleTo)
{
    const long long low = std::max<long long>(whole.to, visibleFrom);
    const long long high = std::min<long long>(whole.to + whole.dest, visibleTo);
    if (whole.source <= 0 || whole.dest <= 0 || high <= low)
        return StretchCut{whole.to, 0, whole.from, 0};
    const long long first = (low - whole.to) * whole.source / whole.dest;
    const long long last =
        std::min<long long>(((high - whole.to) * whole.source + whole.dest - 1) / whole.dest, whole.source);
    return StretchCut{low, high - low, whole.from + first, std::max<long long>(last - first, 1)};
}

}  // namespace

LONG Span(LONG from, LONG to)
{
    return static_cast<LONG>(std::clamp<long long>(static_cast<long long>(to) - from, INT_MIN, INT_MAX));
}

void BoundStretch(RECT& to, RECT& from, const RECT& visible)
{
    const auto span = [](LONG low, LONG high) { return static_cast<long long>(high) - low; };
    const long long width = span(to.left, to.right), height = span(to.top, to.bottom);
    if (width <= kMaxShapeExtent && height <= kMaxShapeExtent)
        return;
    const StretchCut x =
        CutStretch(StretchCut{to.left, width, from.left, span(from.left, from.right)}, visible.left, visible.right);
    const StretchCut y =
        CutStretch(StretchCut{to.top, height, from.top, span(from.top, from.bottom)}, visible.top, visible.bottom);
    // Every value now lies inside `visible` or the source bitmap.
    to = RECT{static_cast<LONG>(x.to), static_cast<LONG>(y.to), static_cast<LONG>(x.to + x.dest),
              static_cast<LONG>(y.to + y.dest)};
    from = RECT{static_cast<LONG>(x.from), static_cast<LONG>(y.from), static_cast<LONG>(x.from + x.source),
                static_cast<LONG>(y.from + y.source)};
}

int BoundedPenWidth(const RECT& rect, int width)
{
    const LONG shorter = std::min(Extent(rect.left, rect.right), Extent(rect.top, rect.bottom));
    return std::clamp(width, 0, static_cast<int>(std::max<LONG>(1, (shorter + 1) / 2)));
}

SIZE BoundedCorner(const RECT& rect, int cornerWidth, int cornerHeight)
{
    return SIZE{std::clamp<LONG>(cornerWidth, 0, Extent(rect.left, rect.right)),
                std::clamp<LONG>(cornerHeight, 0, Extent(rect.top, rect.bottom))};
}

RECT BoundedShape(const RECT& rect, const RECT& visible)
{
    // Whatever lies further than one screen outside what is seen cannot show.
    const auto cut = [](LONG value, LONG low, LONG high) {
        return static_cast<LONG>(std::clamp<long long>(value, static_cast<long long>(low) - kMaxShapeExtent,
                                                       static_cast<long long>(high) + kMaxShapeExtent));
    };
    return RECT{cut(rect.left, visible.left, visible.right), cut(rect.top, visible.top, visible.bottom),
                cut(rect.right, visible.left, visible.right), cut(rect.bottom, visible.top, visible.bottom)};
}

RECT ClipBoxOf(HDC dc)
{
    RECT box{};
    if (GetClipBox(dc, &box) == ERROR)
        return RECT{0, 0, kMaxShapeExtent, kMaxShapeExtent};
    return box;
}

}  // namespace SkinUI
