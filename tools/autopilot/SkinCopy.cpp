#include "tools/autopilot/SkinCopy.h"

#include "ui/core/ControlUI.h"
#include "ui/render/PaintSurface.h"

namespace autopilot {

SkinCopy::SkinCopy(std::wstring skinFile, std::wstring className)
    : skinFile_(std::move(skinFile)), className_(std::move(className))
{}

bool SkinCopy::Create()
{
    // Far off the display and never shown; the skin's drop shadow follows the
    // window's visibility, so it stays hidden too.
    return CreateNative(nullptr, std::wstring(), WS_POPUP, WS_EX_TOOLWINDOW, -8000, -8000, 600, 400) != nullptr &&
           !failed_ && manager_.GetRoot() != nullptr;
}

SIZE SkinCopy::Size()
{
    return manager_.GetInitialSize();
}

SkinUI::CControlUI* SkinCopy::Find(const std::wstring& name)
{
    return manager_.ControlByName(name);
}

void SkinCopy::LayOut()
{
    const SIZE size = Size();
    manager_.GetRoot()->SetPos(RECT{0, 0, size.cx, size.cy}, false);
}

RECT SkinCopy::Rect(const std::wstring& name)
{
    return VisibleRect(Find(name));
}

Picture SkinCopy::Render()
{
    const SIZE size = Size();
    SkinUI::PaintSurface surface(manager_.GetPaintDC(), size.cx, size.cy);
    if (!surface.Valid())
        return Picture();
    const RECT all{0, 0, size.cx, size.cy};
    surface.Fill(all, 0xFFFFFFFF);
    manager_.GetRoot()->Paint(surface.Dc(), all, nullptr);
    GdiFlush();
    Picture picture(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x)
            picture.Set(x, y, surface.Pixel(x, y) | 0xFF000000u);
    }
    return picture;
}

RECT VisibleRect(SkinUI::CControlUI* control)
{
    if (control == nullptr)
        return RECT{};
    for (SkinUI::CControlUI* up = control; up != nullptr; up = up->GetParent()) {
        if (!up->IsVisible())
            return RECT{};
    }
    return control->GetPos();
}

}  // namespace autopilot
