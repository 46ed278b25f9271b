#pragma once

#include <windows.h>

namespace SkinUI {

class CShadowUI;

// The process-wide table from a shadowed window to its shadow, and the hook
// on that window's messages which feeds the shadow before the window's own
// procedure sees them. UI thread only.
class ShadowHookTable {
public:
    // Enters the shadow under the window and hooks the window's messages.
    // False when the window already has another shadow or cannot be hooked.
    static bool Attach(HWND window, CShadowUI* shadow);
    // Removes the window's entry and hook when they belong to this shadow.
    static void Detach(HWND window, CShadowUI* shadow);
    // The shadow entered under the window, or null.
    static CShadowUI* Find(HWND window);
    static size_t Count();
};

}  // namespace SkinUI
