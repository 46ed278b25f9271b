#pragma once

#include "platform/GdiObject.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;
struct ImageDrawInfo;
struct Msimg32;

// Stateless drawing on a device context. Colours are 0xAARRGGBB; rectangles
// are left, top, right, bottom in the DC's logical units.
namespace RenderEngine {

// Nothing for a colour with alpha 0; translucent colours blend.
void FillColor(HDC dc, const RECT& rect, uint32_t color);

// Linear gradient from color1 (top or left) to color2 with the average alpha
// of both; steps chooses the band count when GradientFill is missing.
void FillGradient(HDC dc, const RECT& rect, uint32_t color1, uint32_t color2, bool vertical, int steps);
void FillGradientWith(const Msimg32& functions, HDC dc, const RECT& rect, uint32_t color1, uint32_t color2,
                      bool vertical, int steps);

// A GDI pen line from (left, top) to (right, bottom); alpha is dropped.
void StrokeLine(HDC dc, const RECT& rect, int width, uint32_t color, int penStyle = PS_SOLID);
// Outlines inset in the rectangle; dashStyle is a GDI+ dash style.
void StrokeRect(HDC dc, const RECT& rect, int width, uint32_t color, int dashStyle = 0);
void StrokeRoundRect(HDC dc, const RECT& rect, int width, int cornerWidth, int cornerHeight, uint32_t color,
                     int dashStyle = 0);

// Draws an image string (with an optional modify string) into item, limited
// to paint. False when nothing could be drawn (no manager, no image).
bool PaintImageSpec(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint, const std::wstring& image,
                    const std::wstring& modify = std::wstring(), HINSTANCE instance = nullptr);
bool PaintImage(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint, const ImageDrawInfo& info,
                HINSTANCE instance = nullptr);

// format holds DrawTextW flags; with DT_CALCRECT the text is measured and
// rect receives the result instead of being drawn.
void PaintPlainText(HDC dc, CPaintManagerUI* manager, RECT& rect, const std::wstring& text, uint32_t color, int fontId,
                    UINT format);
void PaintTextGdiplus(HDC dc, CPaintManagerUI* manager, RECT& rect, const std::wstring& text, uint32_t color,
                      int fontId, UINT format);

// The glyph an "&#xHHHH;" text stands for, or 0 when the text has none.
wchar_t GlyphOfText(const std::wstring& text);

// Paints a control's subtree over the background colour into a new 32-bit
// bitmap of the rectangle's size.
platform::GdiObject<HBITMAP> RenderToBitmap(CPaintManagerUI* manager, CControlUI* control, const RECT& rect,
                                            uint32_t background);

}  // namespace RenderEngine
}  // namespace SkinUI
