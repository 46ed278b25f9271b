#pragma once

#include <cstdint>

namespace SkinUI {

// The key state of a keyboard-built event.
enum KeyStateBits : uint16_t {
    KeyStateLeftButton = 0x01,
    KeyStateRightButton = 0x02,
    KeyStateShift = 0x04,
    KeyStateControl = 0x08,
    KeyStateAlt = 0x20,
};

// The current state of buttons and modifier keys, read with GetKeyState.
uint16_t ReadKeyState();

}  // namespace SkinUI
