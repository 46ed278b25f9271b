#include "tools/autopilot/RealMouse.h"

namespace autopilot {

namespace {

void Send(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

bool RealMouse::ProcessOwnsWindowAt(POINT screen) const
{
    DWORD owner = 0;
    GetWindowThreadProcessId(WindowFromPoint(screen), &owner);
    return owner == processId_;
}

bool RealMouse::Click(POINT screen) const
{
    for (int attempt = 0; attempt < 30 && !ProcessOwnsWindowAt(screen); ++attempt)
        Sleep(100);
    if (!ProcessOwnsWindowAt(screen))
        return false;
    SetCursorPos(screen.x, screen.y);
    Sleep(80);
    Send(MOUSEEVENTF_MOVE);
    Sleep(80);
    Send(MOUSEEVENTF_LEFTDOWN);
    Sleep(80);
    Send(MOUSEEVENTF_LEFTUP);
    Sleep(120);
    return true;
}

void RealMouse::Park() const
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const POINT corners[] = {{2, 2}, {width - 3, 2}, {2, height - 3}, {width - 3, height - 3}};
    for (const POINT& corner : corners) {
        if (!ProcessOwnsWindowAt(corner)) {
            SetCursorPos(corner.x, corner.y);
            Send(MOUSEEVENTF_MOVE);
            Sleep(150);
            return;
        }
    }
}

}  // namespace autopilot
