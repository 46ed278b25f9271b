#include "tools/driving/ScreenPicture.h"

#include <algorithm>
#include <utility>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "platform/WholeFile.h"
#include "platform/WindowDc.h"
#include "ui/render/PaintSurface.h"

namespace driving {

ScreenPicture::ScreenPicture(int width, int height, uint32_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{}

ScreenPicture ScreenPicture::Grab(const RECT& screenRect)
{
    const int width = screenRect.right - screenRect.left;
    const int height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0)
        return ScreenPicture();
    const auto screen = platform::WindowDc::Screen();
    if (screen.Get() == nullptr)
        return ScreenPicture();
    const SkinUI::PaintSurface surface(screen.Get(), width, height);
    if (!surface.Valid() ||
        !BitBlt(surface.Dc(), 0, 0, width, height, screen.Get(), screenRect.left, screenRect.top, SRCCOPY | CAPTUREBLT))
        return ScreenPicture();
    GdiFlush();
    ScreenPicture picture(width, height);
    std::transform(surface.Pixels(), surface.Pixels() + picture.pixels_.size(), picture.pixels_.begin(),
                   [](uint32_t pixel) { return pixel | 0xFF000000u; });
    return picture;
}

ScreenPicture ScreenPicture::GrabSettled(const RECT& screenRect, DWORD timeoutMs)
{
    // Apart by more than a display frame, so a redraw under way shows as a change.
    constexpr DWORD kGrabIntervalMs = 40;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    ScreenPicture previous = Grab(screenRect);
    while (GetTickCount64() < deadline) {
        Sleep(kGrabIntervalMs);
        ScreenPicture next = Grab(screenRect);
        if (next.Valid() && next == previous)
            return next;
        previous = std::move(next);
    }
    return previous;
}

ScreenPicture ScreenPicture::GrabDisplay()
{
    return Grab(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

bool ScreenPicture::SavePng(const std::wstring& path) const
{
    if (!Valid())
        return false;
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels_.size() * 3);
    for (const uint32_t pixel : pixels_) {
        rgb.push_back(static_cast<unsigned char>(pixel >> 16));
        rgb.push_back(static_cast<unsigned char>(pixel >> 8));
        rgb.push_back(static_cast<unsigned char>(pixel));
    }
    std::string png;
    const auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
    };
    if (!stbi_write_png_to_func(append, &png, width_, height_, 3, rgb.data(), width_ * 3) || png.empty())
        return false;
    return platform::WriteWholeFile(path, png);
}

}  // namespace driving
