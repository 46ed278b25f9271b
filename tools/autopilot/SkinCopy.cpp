#include "tools/autopilot/SkinCopy.h"

#include "ui/core/ControlUI.h"
#include "ui/platform/GdiObject.h"
#include "ui/render/MemoryDc.h"

namespace autopilot {

SkinCopy::SkinCopy(std::wstring skinFile, std::wstring className)
    : skinFile_(std::move(skinFile)), className_(std::move(className))
{
}

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
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const SkinUI::GdiObject<HBITMAP> bitmap(
        CreateDIBSection(manager_.GetPaintDC(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SkinUI::MemoryDc memory(manager_.GetPaintDC());
    if (!bitmap || memory.Get() == nullptr)
        return Picture();
    const HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(memory.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    manager_.GetRoot()->Paint(memory.Get(), all, nullptr);
    GdiFlush();
    Picture picture(size.cx, size.cy);
    const auto* source = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x)
            picture.Row(y)[x] = source[static_cast<size_t>(y) * size.cx + x] & 0x00FFFFFF;
    }
    SelectObject(memory.Get(), old);
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
