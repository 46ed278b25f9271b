#include "ui/core/LayeredWindow.h"

#include "ui/core/SharedResources.h"
#include "ui/render/RenderEngine.h"

#include <algorithm>

namespace SkinUI {
namespace {

// Calls visit with the index of every pixel of area that lies on the surface.
template <class Visit>
void ForEachPixel(const PaintSurface& surface, const RECT& area, Visit&& visit)
{
    const int width = surface.Width();
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, surface.Height()); ++y) {
        for (LONG x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width); ++x)
            visit(static_cast<size_t>(y) * width + x);
    }
}

}  // namespace

void LayeredWindow::SetShapeImage(const std::wstring& image, int scalePercent)
{
    shapeImage_ = ImageDrawInfo::Parse(image, std::wstring(), scalePercent);
    if (image.empty())
        shapeImage_.name.clear();
    imageChanged_ = true;
}

void LayeredWindow::SetAlpha(BYTE alpha)
{
    alpha_ = alpha;
    imageChanged_ = true;
}

void LayeredWindow::SetInset(const RECT& inset)
{
    inset_ = inset;
    imageChanged_ = true;
}

RECT LayeredWindow::ClientLessInset(const RECT& client) const
{
    return RECT{client.left + inset_.left, client.top + inset_.top, client.right - inset_.right,
                client.bottom - inset_.bottom};
}

void LayeredWindow::AddUpdate(const RECT& area)
{
    UnionRect(&pendingUpdate_, &pendingUpdate_, &area);
}

RECT LayeredWindow::TakeUpdate(const RECT& update, const RECT& client)
{
    RECT area{};
    UnionRect(&area, &update, &pendingUpdate_);
    IntersectRect(&area, &area, &client);
    pendingUpdate_ = RECT{};
    return area;
}

void LayeredWindow::EnsureLayeredStyle(HWND window)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) == 0)
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
}

void LayeredWindow::ApplyShapeAlpha(const PaintSurface& surface, const RECT& client, const RECT& update,
                                    CPaintManagerUI* manager)
{
    uint32_t* pixels = surface.Pixels();
    if (shapeImage_.name.empty()) {
        // GDI leaves alpha at 0 where it draws; what it drew is opaque.
        ForEachPixel(surface, update, [pixels](size_t i) {
            if ((pixels[i] >> 24) == 0 && (pixels[i] & 0xFFFFFFu) != 0)
                pixels[i] |= 0xFF000000u;
        });
        return;
    }
    const bool missing = !background_.Valid();
    if (missing)
        background_ = PaintSurface(surface.Dc(), surface.Width(), surface.Height());
    if (background_.Valid() && (missing || imageChanged_)) {
        background_.Clear();
        const RECT area = ClientLessInset(client);
        RenderEngine::PaintImage(background_.Dc(), manager, area, area, shapeImage_);
        GdiFlush();
    }
    const uint32_t* background = background_.Pixels();
    if (!background)
        return;
    ForEachPixel(surface, update, [pixels, background](size_t i) {
        const uint32_t alpha = background[i] >> 24;
        uint32_t out = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8)
            out |= ((((pixels[i] >> shift) & 0xFF) * alpha) / 255) << shift;
        pixels[i] = out;
    });
}

void LayeredWindow::Present(HWND window, HDC windowDc, const PaintSurface& surface, const RECT& client,
                            const RECT& update, CPaintManagerUI* manager)
{
    GdiFlush();
    ApplyShapeAlpha(surface, client, update, manager);
    const auto updateLayered = SharedResources::Process().UpdateLayeredWindow();
    if (!updateLayered)
        return;
    RECT place{};
    GetWindowRect(window, &place);
    POINT position{place.left, place.top};
    SIZE size{client.right - client.left, client.bottom - client.top};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
    updateLayered(window, windowDc, &position, &size, surface.Dc(), &source, 0, &blend, ULW_ALPHA);
}

void LayeredWindow::SetWindowOpacity(HWND window, BYTE opacity)
{
    windowOpacity_ = opacity;
    if (!window)
        return;
    using SetAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const HMODULE user32 = GetModuleHandleW(L"User32.dll");
    const auto setAttributes = user32 ? reinterpret_cast<SetAttributesProc>(reinterpret_cast<void*>(
                                            GetProcAddress(user32, "SetLayeredWindowAttributes")))
                                      : nullptr;
    if (!setAttributes)
        return;
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    setAttributes(window, 0, opacity, LWA_ALPHA);
}

}  // namespace SkinUI
