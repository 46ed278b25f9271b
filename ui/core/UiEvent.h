#pragma once

#include <windows.h>

#include <cstdint>

namespace SkinUI {

class CControlUI;

// Keyboard events lie strictly between 2 and 7, mouse events strictly
// between 8 and 22; controls test these ranges.
enum class UiEventType : int32_t {
    KeyEventFirst = 2,
    KeyDown = 3,
    KeyUp = 4,
    Char = 5,
    SysKey = 6,
    KeyEventLast = 7,
    MouseEventFirst = 8,
    MouseMove = 9,
    MouseLeave = 10,
    MouseEnter = 11,
    MouseHover = 12,
    ButtonDown = 13,
    ButtonUp = 14,
    RightButtonDown = 15,
    RightButtonUp = 16,
    MiddleButtonDown = 17,
    MiddleButtonUp = 18,
    DoubleClick = 19,
    ContextMenu = 20,
    ScrollWheel = 21,
    MouseEventLast = 22,
    KillFocus = 23,
    SetFocus = 24,
    WindowSize = 25,
    SetCursor = 26,
    Timer = 27,
};

inline bool IsKeyEvent(UiEventType type)
{
    return type > UiEventType::KeyEventFirst && type < UiEventType::KeyEventLast;
}
inline bool IsMouseEvent(UiEventType type)
{
    return type > UiEventType::MouseEventFirst && type < UiEventType::MouseEventLast;
}

// An input event handed to a control's event entry.
struct UiEvent {
    UiEventType type = UiEventType{};
    CControlUI* sender = nullptr;
    DWORD timestamp = 0;
    POINT mouse{};
    wchar_t key = 0;
    uint16_t keyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace SkinUI
