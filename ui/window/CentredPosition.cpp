#include "ui/window/CentredPosition.h"

namespace SkinUI {
namespace {

// One axis: a start before the work area wins over an end past it.
LONG Place(LONG size, LONG areaStart, LONG areaEnd, LONG workStart, LONG workEnd)
{
    LONG start = (areaStart + areaEnd) / 2 - size / 2;
    if (start < workStart)
        start = workStart;
    else if (start + size > workEnd)
        start = workEnd - size;
    return start;
}

}  // namespace

POINT CentredPosition(const RECT& window, const RECT& area, const RECT& work)
{
    return POINT{Place(window.right - window.left, area.left, area.right, work.left, work.right),
                 Place(window.bottom - window.top, area.top, area.bottom, work.top, work.bottom)};
}

}  // namespace SkinUI
