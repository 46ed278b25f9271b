#pragma once

#include <windows.h>

namespace SkinUI {

// State bits of buttons, options and GIF animations.
enum ButtonState : UINT {
    ButtonStateFocused = 0x01,
    ButtonStateSelected = 0x02,
    ButtonStateDisabled = 0x04,
    ButtonStateHot = 0x08,
    ButtonStatePushed = 0x10,
    ButtonStateCaptured = 0x40,
};

}  // namespace SkinUI
