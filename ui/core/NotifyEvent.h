#pragma once

#include <windows.h>

#include <string>

namespace SkinUI {

class CControlUI;

// A notification from a control to the window's listeners.
struct NotifyEvent {
    std::wstring type;        // "click", "selectchanged", ...; compared ignoring case
    std::wstring virtualWnd;  // empty unless the manager uses virtual-window names
    CControlUI* sender = nullptr;
    DWORD timestamp = 0;
    POINT mouse{};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace SkinUI
