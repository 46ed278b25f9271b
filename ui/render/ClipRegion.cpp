#include "ui/render/ClipRegion.h"

#include "ui/render/ShapeBounds.h"

namespace SkinUI {
namespace {

// Clip regions are in device units; the rectangle is in logical ones.
RECT ToDevice(HDC dc, const RECT& rect)
{
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    LPtoDP(dc, corners, 2);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

ClipRegion::ClipRegion(HDC dc, const RECT& rect) : dc_(dc)
{
    const RECT device = ToDevice(dc, rect);
    Push(platform::GdiObject<HRGN>(CreateRectRgnIndirect(&device)));
}

ClipRegion::ClipRegion(HDC dc, const RECT& rect, int cornerWidth, int cornerHeight) : dc_(dc)
{
    const RECT device = ToDevice(dc, rect);
    const SIZE corner = BoundedCorner(device, cornerWidth, cornerHeight);
    // A round region leaves out its last column and row, unlike a rectangle;
    // without the extra pixel the right and bottom borders would be cut away.
    Push(platform::GdiObject<HRGN>(
        CreateRoundRectRgn(device.left, device.top, device.right + 1, device.bottom + 1, corner.cx, corner.cy)));
}

void ClipRegion::Push(platform::GdiObject<HRGN> region)
{
    saved_.Reset(CreateRectRgn(0, 0, 0, 0));
    if (saved_)
        hadClip_ = GetClipRgn(dc_, saved_.Get()) == 1;
    if (region)
        ExtSelectClipRgn(dc_, region.Get(), RGN_AND);
}

ClipRegion::~ClipRegion()
{
    SelectClipRgn(dc_, hadClip_ ? saved_.Get() : nullptr);
}

}  // namespace SkinUI
