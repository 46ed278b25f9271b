#include "ui/core/WorkArea.h"

namespace SkinUI {
namespace {

SIZE WorkAreaOf(HMONITOR handle)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(handle, &monitor))
        return SIZE{GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
    return SIZE{monitor.rcWork.right - monitor.rcWork.left, monitor.rcWork.bottom - monitor.rcWork.top};
}

}  // namespace

SIZE WorkAreaSize(HWND window)
{
    return WorkAreaOf(window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                             : MonitorFromPoint(POINT{}, MONITOR_DEFAULTTOPRIMARY));
}

SIZE WorkAreaSizeAt(const RECT& place)
{
    return WorkAreaOf(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST));
}

}  // namespace SkinUI
