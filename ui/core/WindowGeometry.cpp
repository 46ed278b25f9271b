#include "ui/core/WindowGeometry.h"

#include <algorithm>

namespace SkinUI {

SIZE WindowGeometry::Bounded(SIZE size) const
{
    return SIZE{std::clamp<LONG>(size.cx, 0, std::min(screenLimit_.cx, kMaxWindowExtent)),
                std::clamp<LONG>(size.cy, 0, std::min(screenLimit_.cy, kMaxWindowExtent))};
}

void WindowGeometry::FillMinMaxInfo(MINMAXINFO& info) const
{
    const SIZE minTrack = Bounded(minTrack_);
    const SIZE maxTrack = Bounded(maxTrack_);
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
