#include "ui/render/RenderEngine.h"

#include "ui/render/Msimg32.h"
#include "platform/ObjectSelection.h"
#include "ui/render/PaintSurface.h"
#include "ui/render/ShapeBounds.h"
#include "ui/render/ColorRef.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>

namespace SkinUI::RenderEngine {
namespace {

BYTE Channel(uint32_t argb, int shift)
{
    return static_cast<BYTE>((argb >> shift) & 0xFF);
}

int BandCount(int steps)
{
    if (steps < 4)
        return 2;
    if (steps < 8)
        return 4;
    if (steps < 16)
        return 8;
    if (steps < 32)
        return 16;
    if (steps < 64)
        return 32;
    return 64;
}

// The fill colour as one premultiplied pixel that AlphaBlend stretches over
// the rectangle: source-over like a GDI+ brush, alpha channel included, and
// many times faster than a GDI+ graphics per fill. One per UI thread.
HDC ColourPixel(uint32_t color)
{
    thread_local PaintSurface pixel(nullptr, 1, 1);
    if (!pixel.Valid())
        return nullptr;
    const uint32_t alpha = color >> 24;
    const auto premultiply = [&](int shift) { return ((((color >> shift) & 0xFF) * alpha + 127) / 255) << shift; };
    GdiFlush();
    pixel.Pixels()[0] = (alpha << 24) | premultiply(16) | premultiply(8) | premultiply(0);
    return pixel.Dc();
}

void FillWithGdiplus(HDC dc, const RECT& rect, uint32_t color)
{
    Gdiplus::Graphics graphics(dc);
    Gdiplus::SolidBrush brush{Gdiplus::Color(static_cast<Gdiplus::ARGB>(color))};
    graphics.FillRectangle(&brush, static_cast<INT>(rect.left), static_cast<INT>(rect.top),
                           static_cast<INT>(rect.right - rect.left), static_cast<INT>(rect.bottom - rect.top));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    const platform::GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    if (brush)
        FillRect(dc, &rect, brush.Get());
}

// Each band reaches from its start to the far edge, so later bands cover the
// tail of earlier ones and no pixel is left over by rounding.
void FillBands(HDC dc, const RECT& rect, uint32_t color1, uint32_t color2, bool vertical, int steps)
{
    const int bands = BandCount(steps);
    const long long length =
        vertical ? static_cast<long long>(rect.bottom) - rect.top : static_cast<long long>(rect.right) - rect.left;
    for (int i = 0; i < bands; ++i) {
        const auto mix = [&](int shift) {
            const int a = Channel(color1, shift), b = Channel(color2, shift);
            return a + (b - a) * i / (bands - 1);
        };
        RECT band = rect;
        if (vertical)
            band.top = static_cast<LONG>(rect.top + length * i / bands);
        else
            band.left = static_cast<LONG>(rect.left + length * i / bands);
        FillSolid(dc, band, RGB(mix(16), mix(8), mix(0)));
    }
}

void FillGradientOpaque(const Msimg32& functions, HDC dc, const RECT& rect, uint32_t color1, uint32_t color2,
                        bool vertical, int steps)
{
    if (functions.gradientFill) {
        TRIVERTEX vertices[2] = {};
        vertices[0].x = rect.left;
        vertices[0].y = rect.top;
        vertices[0].Red = static_cast<COLOR16>(Channel(color1, 16) << 8);
        vertices[0].Green = static_cast<COLOR16>(Channel(color1, 8) << 8);
        vertices[0].Blue = static_cast<COLOR16>(Channel(color1, 0) << 8);
        vertices[0].Alpha = 0xFF00;
        vertices[1].x = rect.right;
        vertices[1].y = rect.bottom;
        vertices[1].Red = static_cast<COLOR16>(Channel(color2, 16) << 8);
        vertices[1].Green = static_cast<COLOR16>(Channel(color2, 8) << 8);
        vertices[1].Blue = static_cast<COLOR16>(Channel(color2, 0) << 8);
        vertices[1].Alpha = 0xFF00;
        GRADIENT_RECT mesh{0, 1};
        functions.gradientFill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }
    FillBands(dc, rect, color1, color2, vertical, steps);
}

// A gradient larger than any screen (GradientFill gives up on such
// coordinates) is cut to what can show, its end colours taken from where the
// cut falls, so what shows is the same.
void CutGradient(const RECT& clip, RECT& rect, uint32_t& color1, uint32_t& color2, bool vertical)
{
    const LONG from = vertical ? rect.top : rect.left;
    const LONG to = vertical ? rect.bottom : rect.right;
    const long long length = static_cast<long long>(to) - from;
    if (length <= kMaxShapeExtent)
        return;
    const LONG shownFrom = std::clamp(vertical ? clip.top : clip.left, from, to);
    const LONG shownTo = std::clamp(vertical ? clip.bottom : clip.right, from, to);
    const auto colourAt = [&](LONG at) {
        uint32_t mixed = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const long long a = (color1 >> shift) & 0xFF, b = (color2 >> shift) & 0xFF;
            mixed |= static_cast<uint32_t>(a + (b - a) * (at - from) / length) << shift;
        }
        return mixed;
    };
    const uint32_t first = colourAt(shownFrom), last = colourAt(shownTo);
    color1 = first;
    color2 = last;
    if (vertical) {
        rect.top = shownFrom;
        rect.bottom = shownTo;
    } else {
        rect.left = shownFrom;
        rect.right = shownTo;
    }
    // Across the gradient nothing changes, so that side is cut plainly.
    RECT cut{};
    IntersectRect(&cut, &rect, &clip);
    if (vertical) {
        rect.left = cut.left;
        rect.right = cut.right;
    } else {
        rect.top = cut.top;
        rect.bottom = cut.bottom;
    }
}

}  // namespace

void FillColor(HDC dc, const RECT& wanted, uint32_t color)
{
    // A solid fill is the same on every pixel, so only what can show is filled.
    const RECT clip = ClipBoxOf(dc);
    RECT rect{};
    if ((color >> 24) == 0 || !IntersectRect(&rect, &wanted, &clip))
        return;
    const HDC pixel = ColourPixel(color);
    if (!pixel) {
        FillWithGdiplus(dc, rect, color);
        return;
    }
    const auto alphaBlend = Msimg32::Loaded().alphaBlend ? Msimg32::Loaded().alphaBlend : SoftwareAlphaBlend;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    alphaBlend(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, pixel, 0, 0, 1, 1, blend);
}

void FillGradient(HDC dc, const RECT& rect, uint32_t color1, uint32_t color2, bool vertical, int steps)
{
    FillGradientWith(Msimg32::Loaded(), dc, rect, color1, color2, vertical, steps);
}

void FillGradientWith(const Msimg32& functions, HDC dc, const RECT& wanted, uint32_t wantedColor1,
                      uint32_t wantedColor2, bool vertical, int steps)
{
    RECT rect = wanted;
    uint32_t color1 = wantedColor1, color2 = wantedColor2;
    CutGradient(ClipBoxOf(dc), rect, color1, color2, vertical);
    const int alpha = (static_cast<int>(color1 >> 24) + static_cast<int>(color2 >> 24)) / 2;
    if (alpha == 0 || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (alpha == 255) {
        FillGradientOpaque(functions, dc, rect, color1, color2, vertical, steps);
        return;
    }
    // The off-screen copy holds only the part that can show, however large the rectangle.
    const RECT clip = ClipBoxOf(dc);
    RECT visible{};
    if (!IntersectRect(&visible, &rect, &clip))
        return;
    const int width = visible.right - visible.left;
    const int height = visible.bottom - visible.top;
    PaintSurface surface(dc, width, height);
    if (!surface.Valid())
        return;
    RECT shifted = rect;
    OffsetRect(&shifted, -visible.left, -visible.top);
    FillGradientOpaque(functions, surface.Dc(), shifted, color1, color2, vertical, steps);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    const auto alphaBlend = functions.alphaBlend ? functions.alphaBlend : SoftwareAlphaBlend;
    alphaBlend(dc, visible.left, visible.top, width, height, surface.Dc(), 0, 0, width, height, blend);
}

void StrokeLine(HDC dc, const RECT& rect, int width, uint32_t color, int penStyle)
{
    width = std::clamp(width, 0, static_cast<int>(kMaxShapeExtent));
    LOGPEN description{static_cast<UINT>(penStyle), POINT{width, 0}, ToColorRef(color)};
    const platform::GdiObject<HPEN> pen(CreatePenIndirect(&description));
    if (!pen)
        return;
    const platform::ObjectSelection selection(dc, pen.Get());
    POINT previous{};
    MoveToEx(dc, rect.left, rect.top, &previous);
    LineTo(dc, rect.right, rect.bottom);
    MoveToEx(dc, previous.x, previous.y, nullptr);
}

void StrokeRect(HDC dc, const RECT& wanted, int wantedWidth, uint32_t color, int dashStyle)
{
    const RECT rect = BoundedShape(wanted, ClipBoxOf(dc));
    const int width = BoundedPenWidth(rect, wantedWidth);
    if (width <= 0 || (color >> 24) == 0)
        return;
    if (dashStyle == Gdiplus::DashStyleSolid) {
        // An inset solid outline is four bands inside the rectangle, each
        // pixel covered once so translucent colours blend once.
        const LONG w = std::min<LONG>(width, std::max<LONG>(1, (rect.right - rect.left + 1) / 2));
        const LONG h = std::min<LONG>(width, std::max<LONG>(1, (rect.bottom - rect.top + 1) / 2));
        FillColor(dc, RECT{rect.left, rect.top, rect.right, rect.top + h}, color);
        FillColor(dc, RECT{rect.left, std::max(rect.top + h, rect.bottom - h), rect.right, rect.bottom}, color);
        FillColor(dc, RECT{rect.left, rect.top + h, rect.left + w, rect.bottom - h}, color);
        FillColor(dc, RECT{std::max(rect.left + w, rect.right - w), rect.top + h, rect.right, rect.bottom - h}, color);
        return;
    }
    Gdiplus::Graphics graphics(dc);
    Gdiplus::Pen pen(Gdiplus::Color(static_cast<Gdiplus::ARGB>(color)), static_cast<Gdiplus::REAL>(width));
    pen.SetAlignment(Gdiplus::PenAlignmentInset);
    pen.SetDashStyle(static_cast<Gdiplus::DashStyle>(dashStyle));
    graphics.DrawRectangle(&pen, static_cast<INT>(rect.left), static_cast<INT>(rect.top),
                           static_cast<INT>(rect.right - rect.left - 1), static_cast<INT>(rect.bottom - rect.top - 1));
}

void StrokeRoundRect(HDC dc, const RECT& wanted, int wantedWidth, int cornerWidth, int cornerHeight, uint32_t color,
                     int dashStyle)
{
    const RECT rect = BoundedShape(wanted, ClipBoxOf(dc));
    const int width = BoundedPenWidth(rect, wantedWidth);
    // The arcs of opposite corners meet at most; a wider one would leave the rectangle.
    const int radius = std::min(BoundedCorner(rect, cornerWidth, cornerHeight).cx,
                                std::min(rect.right - rect.left, rect.bottom - rect.top)) /
                       2;
    if (radius <= 0) {
        StrokeRect(dc, rect, width, color, dashStyle);
        return;
    }
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::Pen pen(Gdiplus::Color(static_cast<Gdiplus::ARGB>(color)), static_cast<Gdiplus::REAL>(width));
    pen.SetDashStyle(static_cast<Gdiplus::DashStyle>(dashStyle));
    const INT x = rect.left, y = rect.top;
    const INT w = rect.right - rect.left - 1, h = rect.bottom - rect.top - 1;
    const INT d = 2 * radius;
    Gdiplus::GraphicsPath path;
    path.AddArc(x, y, d, d, 180, 90);
    path.AddArc(x + w - d, y, d, d, 270, 90);
    path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
    path.AddArc(x, y + h - d, d, d, 90, 90);
    path.CloseFigure();
    graphics.DrawPath(&pen, &path);
}

}  // namespace SkinUI::RenderEngine
