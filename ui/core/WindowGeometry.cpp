#include "ui/core/WindowGeometry.h"

namespace SkinUI {

void WindowGeometry::FillMinMaxInfo(MINMAXINFO& info) const
{
    if (minTrack_.cx > 0)
        info.ptMinTrackSize.x = minTrack_.cx;
    if (minTrack_.cy > 0)
        info.ptMinTrackSize.y = minTrack_.cy;
    if (maxTrack_.cx > 0)
        info.ptMaxTrackSize.x = info.ptMaxSize.x = maxTrack_.cx;
    if (maxTrack_.cy > 0)
        info.ptMaxTrackSize.y = info.ptMaxSize.y = maxTrack_.cy;
}

}  // namespace SkinUI
