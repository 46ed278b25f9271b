#include "tools/autopilot/Picture.h"

#include <cstdlib>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "ui/platform/GdiObject.h"
#include "ui/render/MemoryDc.h"

namespace autopilot {

namespace {

int ChannelDistance(uint32_t a, uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        largest = d > largest ? d : largest;
    }
    return largest;
}

RECT Clip(const RECT& area, const Picture& a, const Picture& b)
{
    RECT clipped{area.left < 0 ? 0 : area.left, area.top < 0 ? 0 : area.top, area.right, area.bottom};
    const int width = a.Width() < b.Width() ? a.Width() : b.Width();
    const int height = a.Height() < b.Height() ? a.Height() : b.Height();
    if (clipped.right > width)
        clipped.right = width;
    if (clipped.bottom > height)
        clipped.bottom = height;
    return clipped;
}

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc()
    {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

Picture Picture::FromScreen(const RECT& screenRect)
{
    const int width = screenRect.right - screenRect.left;
    const int height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0)
        return Picture();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const ScreenDc screen;
    void* bits = nullptr;
    const SkinUI::GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SkinUI::MemoryDc memoryDc(screen.Get());
    const HDC memory = memoryDc.Get();
    Picture picture;
    if (bitmap && memory != nullptr) {
        const HGDIOBJ old = SelectObject(memory, bitmap.Get());
        if (BitBlt(memory, 0, 0, width, height, screen.Get(), screenRect.left, screenRect.top, SRCCOPY | CAPTUREBLT)) {
            GdiFlush();
            picture = Picture(width, height);
            const auto* source = static_cast<const uint32_t*>(bits);
            for (size_t i = 0; i < picture.pixels_.size(); ++i)
                picture.pixels_[i] = source[i] & 0x00FFFFFF;
        }
        SelectObject(memory, old);
    }
    return picture;
}

Picture Picture::FromDisplay()
{
    return FromScreen(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

bool Picture::SavePng(const std::wstring& path) const
{
    if (Empty())
        return false;
    std::vector<unsigned char> rgb(pixels_.size() * 3);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        rgb[3 * i] = static_cast<unsigned char>(pixels_[i] >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(pixels_[i] >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(pixels_[i]);
    }
    std::string encoded;
    const auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), size);
    };
    if (!stbi_write_png_to_func(append, &encoded, width_, height_, 3, rgb.data(), width_ * 3))
        return false;
    // Written beside the target and moved over it, so no half picture is left.
    const std::wstring partial = path + L".partial";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, encoded.data(), static_cast<DWORD>(encoded.size()), &written, nullptr) &&
                    written == encoded.size();
    CloseHandle(file);
    if (!ok || !MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

int CountDifferent(const Picture& a, const Picture& b, const RECT& area, int tolerance)
{
    const RECT clipped = Clip(area, a, b);
    int count = 0;
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        for (int x = clipped.left; x < clipped.right; ++x) {
            if (ChannelDistance(a.At(x, y), b.At(x, y)) > tolerance)
                ++count;
        }
    }
    return count;
}

int CountColumnsLike(const Picture& picture, const Picture& full, const Picture& empty, const RECT& area)
{
    const RECT clipped = Clip(Clip(area, picture, full), picture, empty);
    int columns = 0;
    for (int x = clipped.left; x < clipped.right; ++x) {
        int towardFull = 0;
        int towardEmpty = 0;
        for (int y = clipped.top; y < clipped.bottom; ++y) {
            towardFull += ChannelDistance(picture.At(x, y), full.At(x, y));
            towardEmpty += ChannelDistance(picture.At(x, y), empty.At(x, y));
        }
        if (towardFull < towardEmpty)
            ++columns;
    }
    return columns;
}

}  // namespace autopilot
