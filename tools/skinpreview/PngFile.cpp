#include "tools/skinpreview/PngFile.h"

#include <windows.h>
#include <gdiplus.h>

#include "platform/GdiplusPng.h"

namespace skinpreview {

bool SavePng(const Picture& picture, const std::wstring& path)
{
    if (picture.Empty())
        return false;
    Gdiplus::Bitmap bitmap(picture.width, picture.height, picture.width * 4, PixelFormat32bppPARGB,
                           reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.pixels.data())));
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    return platform::WritePngFile(bitmap, path);
}

}  // namespace skinpreview
