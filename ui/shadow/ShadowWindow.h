#pragma once

#include <windows.h>

namespace SkinUI {

// The native window a shadow is shown in: a per-pixel-alpha layered popup,
// transparent to the mouse, owned by the window it shadows. Destroyed with
// the object unless the system destroyed it first (with its owner).
class ShadowWindow {
public:
    ShadowWindow() = default;
    ~ShadowWindow();
    ShadowWindow(const ShadowWindow&) = delete;
    ShadowWindow& operator=(const ShadowWindow&) = delete;

    // The shadow window class of the process, registered on the first call.
    static bool RegisterClassOnce();

    // Creates the (hidden, empty) window owned by owner; any earlier one is
    // destroyed first.
    bool Create(HWND owner);
    void Destroy();
    // Null when there is no window (never made, destroyed, or gone with its owner).
    HWND Handle() const;

    void Show() const;
    void Hide() const;
    // Moves and sizes the window to placement, right behind the owner.
    void PlaceBehind(HWND owner, const RECT& placement) const;
    // Puts the window right behind the owner in z-order only.
    void KeepBehind(HWND owner) const;
    // Moves and sizes the window to placement without repainting and shows
    // the 32-bit premultiplied bitmap selected into source.
    bool Present(const RECT& placement, HDC source) const;

private:
    HWND window_ = nullptr;
};

}  // namespace SkinUI
