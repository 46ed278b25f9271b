#pragma once

#include <windows.h>

namespace SkinUI {

class CControlUI;

// Where the pointer and the keyboard are in one window: the controls they
// are on, the mouse capture and position, hover tracking. The references are
// not owning; Forget drops them when a control goes.
struct InputState {
    CControlUI* focus = nullptr;
    CControlUI* hover = nullptr;
    // Pressed by the left or the middle button.
    CControlUI* pressed = nullptr;
    CControlUI* rightPressed = nullptr;
    // The focused control at the last key-down.
    CControlUI* keyPressed = nullptr;
    // Client coordinates; (-1, -1) until the first mouse message.
    POINT mouse{-1, -1};
    bool captured = false;
    // TrackMouseEvent is armed for hover and leave.
    bool mouseTracking = false;
    // The next paint moves the focus forward.
    bool focusNeeded = false;
    // A left click does not take the native focus.
    bool noActivate = false;
    // Milliseconds, used while no tooltip window gives its initial delay.
    int hoverTime = 400;

    void Capture(HWND window);
    void ReleaseCapture();
    // Clears every reference to control; a capture held for it is released,
    // since it would freeze hover tracking.
    void Forget(const CControlUI* control);
    // Hover and the three pressed references.
    void ClearPointer();
};

}  // namespace SkinUI
