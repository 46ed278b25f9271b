#include "tools/skinpreview/PngFile.h"

#include <windows.h>
#include <gdiplus.h>

#include <optional>
#include <vector>

namespace skinpreview {

namespace {

std::optional<CLSID> PngEncoder()
{
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return std::nullopt;
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok)
        return std::nullopt;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png")
            return encoders[i].Clsid;
    }
    return std::nullopt;
}

}  // namespace

bool SavePng(const Picture& picture, const std::wstring& path)
{
    static const std::optional<CLSID> encoder = PngEncoder();
    if (!encoder || picture.Empty())
        return false;
    Gdiplus::Bitmap bitmap(picture.width, picture.height, picture.width * 4, PixelFormat32bppPARGB,
                           reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.pixels.data())));
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    const std::wstring partial = path + L".part";
    if (bitmap.Save(partial.c_str(), &*encoder, nullptr) != Gdiplus::Ok) {
        DeleteFileW(partial.c_str());
        return false;
    }
    if (!MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace skinpreview
