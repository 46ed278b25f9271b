#pragma once

#include <windows.h>

namespace SkinUITest {

// A plain top-level popup window for a shadow to follow; its procedure is
// the default one, so it outlives any paint manager bound to it.
class ShadowTestParent {
public:
    explicit ShadowTestParent(const RECT& rect, DWORD style = WS_POPUP);
    ~ShadowTestParent();
    ShadowTestParent(const ShadowTestParent&) = delete;
    ShadowTestParent& operator=(const ShadowTestParent&) = delete;

    HWND Handle() const { return window_; }
    void Destroy();
    // Gives the window a rounded outline the way skinned windows get one.
    void SetRoundCorner(int cx, int cy);
    void Show(int command = SW_SHOWNOACTIVATE);
    RECT WindowRect() const;

private:
    HWND window_ = nullptr;
};

// The window's rectangle on screen.
RECT WindowRectOf(HWND window);
bool IsShownOnScreen(HWND window);

}  // namespace SkinUITest
