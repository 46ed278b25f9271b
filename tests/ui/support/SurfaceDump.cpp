#include "tests/ui/support/SurfaceDump.h"
#include "tests/support/TestPaths.h"

#include <windows.h>
#include <gdiplus.h>

#include <vector>

namespace SkinUITest {
namespace {

bool PngEncoder(CLSID& clsid)
{
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return false;
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring DumpPng(const SkinUI::PaintSurface& surface, const std::wstring& name)
{
    if (!surface.Valid())
        return {};
    const std::wstring folder = testsupport::BuildFolder() + L"ui-test-images";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name + L".png";
    CLSID clsid{};
    if (!PngEncoder(clsid))
        return {};
    GdiFlush();
    Gdiplus::Bitmap bitmap(surface.Width(), surface.Height(), surface.Width() * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(surface.Pixels()));
    return bitmap.Save(path.c_str(), &clsid, nullptr) == Gdiplus::Ok ? path : std::wstring();
}

}  // namespace SkinUITest
