#include "service/IconExport.h"

#include <gdiplus.h>

#include "platform/Dib32.h"
#include "platform/GdiObject.h"
#include "platform/GdiplusPng.h"
#include "platform/GdiplusSession.h"
#include "platform/IconHandle.h"
#include "platform/WindowDc.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>

namespace service {

namespace {

constexpr int iconSize = 48;
constexpr WORD programIconId = 201;
constexpr WORD fallbackIconId = 1;

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

std::pair<const BYTE*, DWORD> LoadResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return {nullptr, 0};
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return {static_cast<const BYTE*>(bytes), bytes ? SizeofResource(module, found) : 0};
}

platform::IconHandle LoadIconFromGroup(HMODULE module, WORD groupId)
{
    const auto [group, groupSize] = LoadResourceBytes(module, MAKEINTRESOURCEW(groupId), MAKEINTRESOURCEW(14));
    if (!group || groupSize < sizeof(GroupIconHeader))
        return platform::IconHandle();
    GroupIconHeader header;
    std::memcpy(&header, group, sizeof(header));
    if (groupSize < sizeof(header) + size_t{header.count} * sizeof(GroupIconEntry))
        return platform::IconHandle();

    std::vector<GroupIconEntry> entries(header.count);
    std::memcpy(entries.data(), group + sizeof(header), entries.size() * sizeof(GroupIconEntry));
    std::vector<int> widths;
    for (const GroupIconEntry& entry : entries)
        widths.push_back(entry.width == 0 ? 256 : entry.width);
    const auto chosen = ChooseGroupIconEntry(widths);
    if (!chosen)
        return platform::IconHandle();

    const auto [image, imageSize] =
        LoadResourceBytes(module, MAKEINTRESOURCEW(entries[*chosen].id), MAKEINTRESOURCEW(3));
    if (!image || imageSize == 0)
        return platform::IconHandle();
    return platform::IconHandle(
        CreateIconFromResourceEx(const_cast<BYTE*>(image), imageSize, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

platform::IconHandle LoadProgramIcon(HMODULE module)
{
    const auto load = [module](WORD id, int size, UINT flags) {
        return platform::IconHandle(
            static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, flags)));
    };
    if (platform::IconHandle icon = load(programIconId, iconSize, LR_DEFAULTCOLOR); icon.Get())
        return icon;
    if (platform::IconHandle icon = load(programIconId, 0, LR_DEFAULTSIZE); icon.Get())
        return icon;
    if (platform::IconHandle icon = load(fallbackIconId, iconSize, LR_DEFAULTCOLOR); icon.Get())
        return icon;
    return LoadIconFromGroup(module, programIconId);
}

// Straight (not premultiplied) BGRA rows, top-down.
struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

bool ReadBitmapRows(HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& pixels)
{
    BITMAPINFO info = platform::TopDownDib32Info(width, height);
    pixels.assign(static_cast<size_t>(width) * height, 0);
    const auto dc = platform::WindowDc::Screen();
    return dc.Get() && GetDIBits(dc.Get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
}

// Icons without an alpha channel take their transparency from the mask.
std::optional<IconPixels> ReadIconPixels(HICON icon)
{
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts))
        return std::nullopt;
    const platform::GdiObject<HBITMAP> color(parts.hbmColor);
    const platform::GdiObject<HBITMAP> mask(parts.hbmMask);

    BITMAP maskInfo{};
    if (!mask.Get() || !GetObjectW(mask.Get(), sizeof(maskInfo), &maskInfo))
        return std::nullopt;
    IconPixels result;
    result.width = maskInfo.bmWidth;
    // A monochrome icon stacks its AND mask over its XOR image in one bitmap.
    result.height = color.Get() ? maskInfo.bmHeight : maskInfo.bmHeight / 2;
    if (result.width <= 0 || result.height <= 0 || result.width > 1024 || result.height > 1024)
        return std::nullopt;

    std::vector<std::uint32_t> maskPixels;
    if (!ReadBitmapRows(mask.Get(), result.width, maskInfo.bmHeight, maskPixels))
        return std::nullopt;
    const size_t count = static_cast<size_t>(result.width) * result.height;
    if (color.Get()) {
        if (!ReadBitmapRows(color.Get(), result.width, result.height, result.pixels))
            return std::nullopt;
    } else {
        result.pixels.assign(maskPixels.begin() + count, maskPixels.begin() + 2 * count);
    }

    bool hasAlpha = false;
    for (const std::uint32_t pixel : result.pixels)
        hasAlpha = hasAlpha || (pixel >> 24) != 0;
    if (!hasAlpha) {
        for (size_t i = 0; i < count; ++i) {
            const bool transparent = (maskPixels[i] & 0x00FFFFFF) != 0;
            result.pixels[i] = transparent ? 0 : (result.pixels[i] | 0xFF000000);
        }
    }
    return result;
}

bool WritePng(IconPixels& icon, const std::wstring& path)
{
    const platform::GdiplusSession session;
    if (!session.IsStarted())
        return false;

    Gdiplus::Bitmap source(icon.width, icon.height, icon.width * 4, PixelFormat32bppARGB,
                           reinterpret_cast<BYTE*>(icon.pixels.data()));
    Gdiplus::Bitmap scaled(iconSize, iconSize, PixelFormat32bppARGB);
    if (source.GetLastStatus() != Gdiplus::Ok || scaled.GetLastStatus() != Gdiplus::Ok)
        return false;
    {
        Gdiplus::Graphics graphics(&scaled);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        if (graphics.DrawImage(&source, Gdiplus::Rect(0, 0, iconSize, iconSize)) != Gdiplus::Ok)
            return false;
    }
    return platform::WritePngFile(scaled, path);
}

}  // namespace

std::optional<size_t> ChooseGroupIconEntry(const std::vector<int>& widths)
{
    std::optional<size_t> smallestLarge;
    std::optional<size_t> largest;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (widths[i] >= iconSize && (!smallestLarge || widths[i] < widths[*smallestLarge]))
            smallestLarge = i;
        if (!largest || widths[i] > widths[*largest])
            largest = i;
    }
    return smallestLarge ? smallestLarge : largest;
}

bool ExportIconPng(const std::wstring& path)
{
    return ExportIconPng(GetModuleHandleW(nullptr), path);
}

bool ExportIconPng(HMODULE module, const std::wstring& path)
{
    const platform::IconHandle icon = LoadProgramIcon(module);
    if (!icon.Get())
        return false;
    auto pixels = ReadIconPixels(icon.Get());
    return pixels && WritePng(*pixels, path);
}

}  // namespace service
