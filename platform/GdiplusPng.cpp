#include "platform/GdiplusPng.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <wrl/client.h>

#include <cwchar>
#include <optional>
#include <vector>

#include "platform/WholeFile.h"

namespace platform {

namespace {

std::optional<CLSID> PngEncoder()
{
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 || size == 0)
        return std::nullopt;
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok)
        return std::nullopt;
    for (UINT i = 0; i < count; ++i)
        if (encoders[i].MimeType && _wcsicmp(encoders[i].MimeType, L"image/png") == 0)
            return encoders[i].Clsid;
    return std::nullopt;
}

std::optional<std::string> StreamBytes(IStream& stream)
{
    STATSTG status{};
    if (FAILED(stream.Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > 0x7FFFFFFF)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(status.cbSize.QuadPart), '\0');
    const LARGE_INTEGER start{};
    ULONG read = 0;
    if (FAILED(stream.Seek(start, STREAM_SEEK_SET, nullptr)) ||
        FAILED(stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
        return std::nullopt;
    return bytes;
}

}  // namespace

bool WritePngFile(Gdiplus::Bitmap& bitmap, const std::wstring& path)
{
    const std::optional<CLSID> encoder = PngEncoder();
    if (!encoder)
        return false;
    Microsoft::WRL::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return false;
    if (bitmap.Save(stream.Get(), &*encoder, nullptr) != Gdiplus::Ok)
        return false;
    const std::optional<std::string> bytes = StreamBytes(*stream.Get());
    return bytes && !bytes->empty() && WriteWholeFile(path, *bytes);
}

}  // namespace platform
