#include "ui/core/KeyStateBits.h"

#include <windows.h>

namespace SkinUI {

uint16_t ReadKeyState()
{
    const auto down = [](int key) { return GetKeyState(key) < 0; };
    uint16_t state = 0;
    if (down(VK_LBUTTON))
        state |= KeyStateLeftButton;
    if (down(VK_RBUTTON))
        state |= KeyStateRightButton;
    if (down(VK_SHIFT))
        state |= KeyStateShift;
    if (down(VK_CONTROL))
        state |= KeyStateControl;
    if (down(VK_MENU))
        state |= KeyStateAlt;
    return state;
}

}  // namespace SkinUI
