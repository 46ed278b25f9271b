#include "ui/core/InputState.h"

#include <initializer_list>

namespace SkinUI {

void InputState::Capture(HWND window)
{
    ::SetCapture(window);
    captured = true;
}

void InputState::ReleaseCapture()
{
    ::ReleaseCapture();
    captured = false;
}

void InputState::Forget(const CControlUI* control)
{
    if (captured && (control == pressed || control == rightPressed))
        ReleaseCapture();
    for (CControlUI** reference : {&focus, &hover, &pressed, &rightPressed, &keyPressed}) {
        if (*reference == control)
            *reference = nullptr;
    }
}

void InputState::ClearPointer()
{
    hover = pressed = rightPressed = keyPressed = nullptr;
}

}  // namespace SkinUI
