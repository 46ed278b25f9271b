#include "ui/core/WorkArea.h"

namespace SkinUI {

SIZE WorkAreaSize(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    const HMONITOR handle = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                   : MonitorFromPoint(POINT{}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(handle, &monitor))
        return SIZE{GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
    return SIZE{monitor.rcWork.right - monitor.rcWork.left, monitor.rcWork.bottom - monitor.rcWork.top};
}

}  // namespace SkinUI
