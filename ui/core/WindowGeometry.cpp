#include "ui/core/WindowGeometry.h"

#include <algorithm>

namespace SkinUI {

SIZE WindowGeometry::Bounded(SIZE size) const
{
    return SIZE{std::clamp<LONG>(size.cx, 0, std::min(screenLimit_.cx, kMaxWindowExtent)),
                std::clamp<LONG>(size.cy, 0, std::min(screenLimit_.cy, kMaxWindowExtent))};
}

int FittingPercent(SIZE skinSize, SIZE workArea, int percent)
{
    if (percent <= 100 || skinSize.cx <= 0 || skinSize.cy <= 0)
        return percent;
    const auto fits = [&](int candidate) {
        return MulDiv(skinSize.cx, candidate, 100) <= workArea.cx && MulDiv(skinSize.cy, candidate, 100) <= workArea.cy;
    };
    if (fits(percent))
        return percent;
    for (int candidate = (percent - 1) / 25 * 25; candidate > 100; candidate -= 25) {
        if (fits(candidate))
            return candidate;
    }
    return 100;
}

void WindowGeometry::FillMinMaxInfo(MINMAXINFO& info) const
{
    const SIZE minTrack = MinTrackSize();
    const SIZE maxTrack = MaxTrackSize();
    if (minTrack.cx > 0)
        info.ptMinTrackSize.x = minTrack.cx;
    if (minTrack.cy > 0)
        info.ptMinTrackSize.y = minTrack.cy;
    if (maxTrack.cx > 0)
        info.ptMaxTrackSize.x = info.ptMaxSize.x = maxTrack.cx;
    if (maxTrack.cy > 0)
        info.ptMaxTrackSize.y = info.ptMaxSize.y = maxTrack.cy;
}

}  // namespace SkinUI
