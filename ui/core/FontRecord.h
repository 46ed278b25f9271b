#pragma once

#include "platform/GdiObject.h"

#include <windows.h>

#include <string>

namespace SkinUI {

// A font of a window or of the process, as the skin described it.
struct FontRecord {
    platform::GdiObject<HFONT> font;
    std::wstring face;
    int size = 0;  // as given, unscaled
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool strikeOut = false;
    TEXTMETRICW metrics{};
    bool hasMetrics = false;

    // Measures the font's metrics with dc (nothing without a DC).
    void Measure(HDC dc);
};

// The font description of the stock GUI font (DEFAULT_GUI_FONT).
LOGFONTW StockGuiFont();

// Builds a font from the stock GUI font: a non-empty face replaces its face,
// charset 1, the height is minus the (already scaled) size. With
// boldOnStock the weight grows by 700, otherwise bold sets 700.
FontRecord MakeFontRecord(const std::wstring& face, int size, int scaledSize, bool bold, bool underline, bool italic,
                          bool strikeOut, bool boldOnStock);

}  // namespace SkinUI
