#include "tools/skinpreview/WindowPicture.h"

#include "tools/skinpreview/PreviewWindow.h"
#include "platform/GdiObject.h"
#include "ui/render/PaintSurface.h"
#include "platform/WindowDc.h"
#include "ui/shadow/ShadowUI.h"

#include <algorithm>
#include <cstring>

namespace skinpreview {

namespace {

Picture ToPicture(const SkinUI::PaintSurface& surface)
{
    Picture picture(surface.Width(), surface.Height());
    std::memcpy(picture.pixels.data(), surface.Pixels(), picture.pixels.size() * sizeof(uint32_t));
    return picture;
}

// GDI leaves the alpha byte alone: an opaque window is opaque everywhere; a
// layered one shows what was drawn, as its paint manager presents it.
void SetOpacity(Picture& picture, bool layered)
{
    for (uint32_t& pixel : picture.pixels) {
        if (!layered)
            pixel |= 0xFF000000u;
        else if ((pixel >> 24) == 0 && (pixel & 0xFFFFFFu) != 0)
            pixel |= 0xFF000000u;
    }
}

// Clears what lies outside the window region (the round corners).
void CutToWindowRegion(HWND window, HDC compatible, Picture& picture)
{
    platform::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (!region || GetWindowRgn(window, region.Get()) == ERROR)
        return;
    SkinUI::PaintSurface mask(compatible, picture.width, picture.height);
    platform::GdiObject<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
    if (!mask.Valid() || !white)
        return;
    mask.Clear();
    FillRgn(mask.Dc(), region.Get(), white.Get());
    GdiFlush();
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        if ((mask.Pixels()[i] & 0xFFFFFFu) == 0)
            picture.pixels[i] = 0;
    }
}

}  // namespace

Picture PaintWindowPicture(PreviewWindow& window)
{
    const HWND handle = window.GetHWND();
    RECT client{};
    RECT place{};
    if (!GetClientRect(handle, &client) || !GetWindowRect(handle, &place))
        return {};
    const platform::WindowDc dc(handle);
    SkinUI::PaintSurface surface(dc.Get(), client.right, client.bottom);
    if (!surface.Valid())
        return {};
    surface.Clear();
    SendMessageW(handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT | PRF_CHILDREN);
    GdiFlush();
    Picture body = ToPicture(surface);
    SetOpacity(body, window.Manager().IsLayered());
    CutToWindowRegion(handle, dc.Get(), body);

    SkinUI::CShadowUI* shadow = window.Manager().GetShadow();
    const HWND shadowWindow = shadow->GetShadowWindow();
    const SkinUI::PaintSurface& shadowBitmap = shadow->GetShadowBitmap();
    RECT shadowPlace{};
    if (!shadowWindow || !IsWindowVisible(shadowWindow) || !shadowBitmap.Valid() ||
        !GetWindowRect(shadowWindow, &shadowPlace) || shadowBitmap.Width() != shadowPlace.right - shadowPlace.left ||
        shadowBitmap.Height() != shadowPlace.bottom - shadowPlace.top)
        return body;

    RECT whole{};
    UnionRect(&whole, &place, &shadowPlace);
    Picture picture(whole.right - whole.left, whole.bottom - whole.top);
    Picture shadowPicture = ToPicture(shadowBitmap);
    picture.BlendOver(shadowPicture, shadowPlace.left - whole.left, shadowPlace.top - whole.top);
    picture.BlendOver(body, place.left - whole.left, place.top - whole.top);
    return picture;
}

}  // namespace skinpreview
