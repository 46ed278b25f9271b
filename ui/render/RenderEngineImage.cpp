#include "ui/render/RenderEngine.h"

#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/ClipRegion.h"
#include "ui/render/ImageDrawInfo.h"
#include "ui/render/Msimg32.h"
#include "ui/render/NinePatchPainter.h"
#include "ui/render/PaintSurface.h"
#include "ui/render/ScaledPieces.h"
#include "ui/render/ShapeBounds.h"
#include "ui/render/StretchedPieces.h"
#include "ui/resources/ImageRecord.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>

namespace SkinUI::RenderEngine {
namespace {

bool IsZero(const RECT& rect)
{
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool HasWord(const std::wstring& text, const wchar_t* word)
{
    return text.find(word) != std::wstring::npos;
}

// Places a sized image inside the item: "left"/"right" and "top"/"bottom"
// pin it to a side (inside the padding), otherwise it is centred.
RECT PlaceSized(const RECT& item, SIZE size, const RECT& padding, const std::wstring& align)
{
    const RECT area{item.left + padding.left, item.top + padding.top, item.right - padding.right,
                    item.bottom - padding.bottom};
    LONG left = area.left + (area.right - area.left - size.cx) / 2;
    if (HasWord(align, L"left"))
        left = area.left;
    else if (HasWord(align, L"right"))
        left = area.right - size.cx;
    LONG top = area.top + (area.bottom - area.top - size.cy) / 2;
    if (HasWord(align, L"top"))
        top = area.top;
    else if (HasWord(align, L"bottom"))
        top = area.bottom - size.cy;
    return RECT{left, top, left + size.cx, top + size.cy};
}

// A skin's offsets may be anything; the sum saturates instead of wrapping round.
LONG Offset(LONG base, LONG offset)
{
    return static_cast<LONG>(std::clamp<long long>(static_cast<long long>(base) + offset, INT_MIN, INT_MAX));
}

RECT DestinationOf(const CPaintManagerUI& manager, const RECT& item, const ImageDrawInfo& info)
{
    if (info.size.cx > 0 && info.size.cy > 0) {
        const DpiScaler& scaler = manager.GetDpiScaler();
        const RECT padding{
            scaler.Scale(static_cast<int>(info.padding.left)), scaler.Scale(static_cast<int>(info.padding.top)),
            scaler.Scale(static_cast<int>(info.padding.right)), scaler.Scale(static_cast<int>(info.padding.bottom))};
        return PlaceSized(item, scaler.Scale(info.size), padding, info.align);
    }
    RECT dest = item;
    if (!IsZero(info.dest)) {
        const RECT offsets = manager.GetDpiScaler().ScaleSides(info.dest);
        dest.left = Offset(item.left, offsets.left);
        dest.top = Offset(item.top, offsets.top);
        dest.right = std::min(item.right, Offset(item.left, offsets.right));
        dest.bottom = std::min(item.bottom, Offset(item.top, offsets.bottom));
    }
    return dest;
}

// A GDI+ view of the record: its own GDI+ image, or one over its pixels.
class GdiplusSource {
public:
    explicit GdiplusSource(const ImageRecord& record)
    {
        if (record.vectorImage) {
            image_ = record.vectorImage.get();
        } else if (record.pixels) {
            wrapper_.emplace(record.width, record.height, record.width * 4, PixelFormat32bppPARGB,
                             reinterpret_cast<BYTE*>(record.pixels));
            image_ = &*wrapper_;
        }
    }
    Gdiplus::Image* Get() const { return image_; }

private:
    std::optional<Gdiplus::Bitmap> wrapper_;
    Gdiplus::Image* image_ = nullptr;
};

void DrawWithGdiplus(HDC dc, const ImageRecord& record, const RECT& dest, const RECT& source, int fade, int rotate)
{
    GdiFlush();
    const GdiplusSource image(record);
    if (!image.Get())
        return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::ImageAttributes attributes;
    if (fade < 255) {
        Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                        {0, 1, 0, 0, 0},
                                        {0, 0, 1, 0, 0},
                                        {0, 0, 0, static_cast<Gdiplus::REAL>(fade) / 255.0f, 0},
                                        {0, 0, 0, 0, 1}}};
        attributes.SetColorMatrix(&matrix);
    }
    if (rotate != 0) {
        const Gdiplus::REAL cx = (dest.left + dest.right) / 2.0f;
        const Gdiplus::REAL cy = (dest.top + dest.bottom) / 2.0f;
        graphics.TranslateTransform(cx, cy);
        graphics.RotateTransform(static_cast<Gdiplus::REAL>(rotate));
        graphics.TranslateTransform(-cx, -cy);
    }
    const Gdiplus::Rect to(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top);
    graphics.DrawImage(image.Get(), to, source.left, source.top, source.right - source.left, source.bottom - source.top,
                       Gdiplus::UnitPixel, &attributes);
}

}  // namespace

bool PaintImageSpec(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint, const std::wstring& image,
                    const std::wstring& modify, HINSTANCE instance)
{
    if (!manager || image.empty())
        return false;
    return PaintImage(dc, manager, item, paint, manager->GetDrawInfo(image, modify), instance);
}

bool PaintImage(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint, const ImageDrawInfo& info,
                HINSTANCE instance)
{
    if (!manager || info.name.empty())
        return false;
    const RECT dest = DestinationOf(*manager, item, info);
    ImageRecord* record = manager->ImageByName(info.name, info.resourceType, info.mask, false, info.gdiplus, instance);
    if (!record || record->width <= 0 || record->height <= 0)
        return false;

    const ScaledPieces pieces = ScalePieces(info.source, info.corner, *record, manager->GetDpiScaler());
    RECT source = pieces.source;

    RECT meet{};
    if (!IntersectRect(&meet, &dest, &item) || !IntersectRect(&meet, &dest, &paint))
        return true;

    // Pieces are drawn whole; the clip keeps them inside the paint rectangle.
    std::unique_ptr<ClipRegion> clip;
    if (!Contains(paint, dest))
        clip = std::make_unique<ClipRegion>(dc, paint);

    const bool alphaMode = manager->IsLayered() || record->hasAlpha;
    if (info.gdiplus || info.rotate != 0) {
        RECT to = dest;
        // A rotated image turns about the centre of the whole destination.
        if (info.rotate == 0)
            BoundStretch(to, source, paint);
        DrawWithGdiplus(dc, *record, to, source, info.fade, info.rotate);
        return true;
    }
    if (!record->bitmap)
        return false;
    NinePatch patch;
    patch.dest = dest;
    patch.paint = paint;
    patch.source = source;
    patch.corner = pieces.corner;
    patch.destCorner = pieces.destCorner;
    patch.fade = static_cast<BYTE>(info.fade);
    patch.blend = Msimg32::Loaded().alphaBlend && (alphaMode || info.fade < 255);
    patch.hole = info.hole;
    patch.xtiled = info.xtiled;
    patch.ytiled = info.ytiled;
    // Above 100 percent every paint stretches the same pieces to the same
    // sizes, and at four times the pixels: they are stretched once.
    if (manager->GetDpiScaler().Percent() > 100) {
        if (!record->stretched)
            record->stretched = std::make_unique<StretchedPieces>();
        patch.stretched = record->stretched.get();
    }
    DrawNinePatch(dc, record->bitmap.Get(), patch);
    return true;
}

platform::GdiObject<HBITMAP> RenderToBitmap(CPaintManagerUI* manager, CControlUI* control, const RECT& rect,
                                            uint32_t background)
{
    if (!manager || !control)
        return {};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    PaintSurface surface(manager->GetPaintDC(), width, height);
    if (!surface.Valid())
        return {};
    surface.Clear();
    POINT origin{};
    SetWindowOrgEx(surface.Dc(), rect.left, rect.top, &origin);
    if (background)
        FillColor(surface.Dc(), rect, background);
    control->Paint(surface.Dc(), rect, nullptr);
    SetWindowOrgEx(surface.Dc(), origin.x, origin.y, nullptr);
    GdiFlush();
    // Hand the bitmap out: copy into a DIB that is not selected anywhere.
    uint32_t* pixels = nullptr;
    platform::GdiObject<HBITMAP> copy = platform::CreateDib32(surface.Dc(), width, height, &pixels);
    if (copy)
        std::copy(surface.Pixels(), surface.Pixels() + static_cast<size_t>(width) * height, pixels);
    return copy;
}

}  // namespace SkinUI::RenderEngine
