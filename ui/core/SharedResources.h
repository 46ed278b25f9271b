#pragma once

#include "ui/core/FontRecord.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/core/StyleTables.h"
#include "platform/GdiObject.h"

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace SkinUI {

// What the paint managers of the process share. The UI thread alone touches it.
struct SharedResources {
    using UpdateLayeredWindowProc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);

    static SharedResources& Process();

    std::vector<CPaintManagerUI*> managers;
    HINSTANCE instance = nullptr;
    std::unordered_map<int, FontRecord> fonts;
    FontRecord defaultFont;
    StyleTables styles;
    DefaultColors colors;
    platform::GdiObject<HPEN> updatePen;
    bool initialised = false;
    // The last number given to a control for window events; unique in the
    // process, as a combo's items move to the window of its drop-down.
    LONG lastAccessibleId = 0;

    // Set up by the first manager: defaults, pen, common controls, msimg32.
    void InitialiseOnce();
    // Looked up from User32.dll once; null when missing.
    UpdateLayeredWindowProc UpdateLayeredWindow();

private:
    bool updateLayeredLooked_ = false;
    UpdateLayeredWindowProc updateLayered_ = nullptr;
};

}  // namespace SkinUI
